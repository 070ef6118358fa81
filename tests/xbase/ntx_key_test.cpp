// tests/xbase/ntx_key_test.cpp — key bytes for each value type.
#include "xbase/ntx_key.hpp"

#include <gtest/gtest.h>

namespace xbase {
namespace {

TEST(NtxKey, NumericKeysMatchTheClassicEncoding) {  // negatives: minus -> '0', digit d -> 0x2C - d
  struct Case {
    double value;
    int size, dec;
    std::string_view bytes;
  };
  const Case cases[] = {
      {12.5, 6, 2, "012.50"},
      {-12.5, 6, 2, "\x2C\x2B\x2A\x2E\x27\x2C"},
      {0, 6, 2, "000.00"},
      {-3, 4, 0, "\x2C\x2C\x2C\x29"},
      {-12, 4, 0, "\x2C\x2C\x2B\x2A"},
      {-9999.99, 8, 2, ",####.##"},
      {-5, 8, 2, ",,,,'.,,"},
      {1.005, 8, 2, "00001.01"},       // rounds half away from zero despite binary 1.00499..
      {-0.004, 8, 2, "00000.00"},      // rounds to zero: no sign
      {2.25, 6, 1, "0002.3"},
      {-2.25, 6, 1, ",,,*.)"},         // -2.3: 2 -> 0x2A, 3 -> 0x29
      {12345.678, 7, 2, "*******"},    // too wide
      {-0.5, 4, 2, "****"},            // no room for the sign
      {999999999999999, 15, 0, "999999999999999"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(numericKey(c.value, c.size, c.dec), c.bytes);
  }
}

TEST(NtxKey, NumericKeysSortAsTheirValues) {
  const double values[] = {-99999.99, -12, -3, -0.01, 0, 0.01, 3, 12, 99999.99};
  for (std::size_t i = 1; i < std::size(values); ++i) {
    SCOPED_TRACE(values[i]);
    EXPECT_LT(numericKey(values[i - 1], 8, 2), numericKey(values[i], 8, 2));
  }
}

TEST(NtxKey, CharacterDateLogicalAndDescendingKeys) {
  EXPECT_EQ(characterKey("ab", 4), "ab  ");
  EXPECT_EQ(characterKey("abcdef", 4), "abcd");
  EXPECT_EQ(dateKey(rt::Date::fromYmd(2024, 2, 29)), "20240229");
  EXPECT_EQ(dateKey(rt::Date()), "        ");
  EXPECT_EQ(logicalKey(true), "T");
  EXPECT_EQ(logicalKey(false), "F");
  EXPECT_EQ(descendBytes(std::string("\x00\x01\x41\xFF", 4)), std::string("\x00\xFF\xBF\x01", 4));
  EXPECT_GT(descendBytes("A"), descendBytes("B"));
}

TEST(NtxKey, ShorterKeyComparesAsAPrefix) {
  EXPECT_EQ(comparePrefix("ABC", "ABCDE"), 0);
  EXPECT_LT(comparePrefix("ABB", "ABCDE"), 0);
  EXPECT_GT(comparePrefix("\x80", "z"), 0);  // bytes compare unsigned
}

}  // namespace
}  // namespace xbase
