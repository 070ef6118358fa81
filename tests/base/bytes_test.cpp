#include "base/bytes.hpp"

#include <gtest/gtest.h>

#include <array>

TEST(Bytes, LittleEndianIntegersAndDoublesRoundTrip) {
  std::array<std::byte, 8> b{};
  base::storeU32le(b.data(), 0x01020304u);
  EXPECT_EQ(std::to_integer<int>(b[0]), 4);
  EXPECT_EQ(base::loadU32le(b.data()), 0x01020304u);
  base::storeU16le(b.data(), 0xBEEF);
  EXPECT_EQ(base::loadU16le(b.data()), 0xBEEF);
  base::storeU32be(b.data(), 1000000000u);
  EXPECT_EQ(base::loadU32be(b.data()), 1000000000u);
  base::storeF64le(b.data(), 2451545.0);
  EXPECT_EQ(base::loadF64le(b.data()), 2451545.0);
}
