#include "xbase/dbf_header.hpp"

#include <gtest/gtest.h>

#include "base/fault.hpp"
#include "xbase/dbf_field.hpp"
#include "xbase_testing.hpp"

namespace {

using namespace xbase_testing;

TEST(DbfHeader, RoundTripsEveryReferenceTable) {
  for (const char* name : kFixtureTables) {
    SCOPED_TRACE(name);
    const auto file = readBytes(testkit::fixture(std::string(name) + ".DBF"));
    const auto h = xbase::dbf::decodeHeader(file, name);
    std::array<std::byte, 32> again{};
    xbase::dbf::encodeHeader(h, again);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), file.begin()));
    EXPECT_EQ(h.updateYear, 2025);
    EXPECT_EQ(h.updateMonth, 3);
    EXPECT_EQ(h.updateDay, 14);

    const auto area = std::span(file).subspan(32, h.headerLength - 32);
    const auto fields = xbase::dbf::decodeFields(area, h.recordLength, name);
    const auto encoded = xbase::dbf::encodeFields(fields);
    EXPECT_TRUE(std::equal(encoded.begin(), encoded.end(), area.begin(), area.end()));
  }
}

TEST(DbfHeader, ReadsTheReferenceStructure) {
  const auto file = readBytes(testkit::fixture("ORDERS.DBF"));
  const auto h = xbase::dbf::decodeHeader(file, "ORDERS.DBF");
  EXPECT_EQ(h.version, 0x83);
  EXPECT_TRUE(h.hasMemoFile());
  EXPECT_EQ(h.recordCount, 3052u);
  const auto fields = xbase::dbf::decodeFields(std::span(file).subspan(32, h.headerLength - 32), h.recordLength, "x");
  ASSERT_EQ(fields.size(), 12u);
  EXPECT_EQ(fields[8].name, "ILO_ZAM");
  EXPECT_EQ(fields[8].type, xbase::dbf::FieldType::Numeric);
  EXPECT_EQ(fields[8].length, 10);
  EXPECT_EQ(fields[8].decimals, 3);
  EXPECT_EQ(fields[8].offset, 1 + 5 + 8 + 4 + 1 + 1 + 5 + 20 + 30);
}

TEST(DbfField, CharacterWidthsAbove255UseTheDecimalsByte) {
  auto fields = xbase::dbf::fieldsFromSpecs({{"OPIS_DLUGI", 'C', 300}, {"N", 'N', 5}});
  ASSERT_TRUE(fields);
  const auto bytes = xbase::dbf::encodeFields(*fields);
  EXPECT_EQ(bytes[16], std::byte{300 & 0xFF});
  EXPECT_EQ(bytes[17], std::byte{1});
  const auto back = xbase::dbf::decodeFields(bytes, 306, "x");
  EXPECT_EQ(back[0].length, 300);
  EXPECT_EQ(back[1].offset, 301);
}

TEST(DbfField, RejectsFieldListsThatCannotBeStored) {
  using S = xbase::dbf::FieldSpec;
  const std::vector<std::vector<S>> bad = {
      {},                                            // no fields
      {{"", 'C', 5}},                                // no name
      {{"ELEVENCHARS", 'C', 5}},                     // name too long
      {{"1ST", 'C', 5}},                             // not a letter first
      {{"A B", 'C', 5}},                             // blank in the name
      {{"KONTO", 'C', 5}, {"konto", 'C', 5}},        // same name twice
      {{"X", 'Q', 5}},                               // unknown type
      {{"X", 'C', 0}},                               // zero width
      {{"X", 'N', 4, 3}},                            // no room for the point
      {{"X", 'C', 65535}, {"Y", 'C', 10}},           // record longer than 65535
  };
  for (const auto& specs : bad) {
    SCOPED_TRACE(specs.empty() ? std::string("empty") : specs[0].name);
    auto r = xbase::dbf::fieldsFromSpecs(specs);
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.error().is(base::Errc::Invalid));
  }
}

}  // namespace
