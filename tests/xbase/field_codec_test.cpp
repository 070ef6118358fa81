#include "xbase/field_codec.hpp"

#include <gtest/gtest.h>

#include "base/fault.hpp"
#include "sys/clock.hpp"
#include "sys/posix_env.hpp"
#include "xbase/dbf_file.hpp"
#include "xbase_testing.hpp"

namespace {

using namespace xbase_testing;

std::string number(double v, int width, int dec) {
  std::vector<std::byte> out(width);
  (void)xbase::encodeNumber(v, dec, out);
  return textOf(out);
}

TEST(FieldCodec, NumbersAreWrittenAsTheClassicRuntimeWritesThem) {
  struct Case { double v; int width, dec; const char* bytes; };
  const Case cases[] = {
      {3.5, 7, 2, "   3.50"},    {-3.5, 7, 2, "  -3.50"},      {0, 7, 2, "   0.00"},
      {12345.678, 7, 2, "*******"}, {-1234, 5, 0, "-1234"},    {-12345, 5, 0, "*****"},
      {0.5, 4, 2, "0.50"},       {-0.5, 4, 2, "****"},         {-0.5, 5, 2, "-0.50"},
      {-0.004, 8, 2, "    0.00"}, {1.005, 8, 2, "    1.01"},   {-1.005, 8, 2, "   -1.01"},
      {2.25, 6, 1, "   2.3"},    {-2.25, 6, 1, "  -2.3"},      {0.05, 6, 1, "   0.1"},
      {-0.04, 6, 1, "   0.0"},   {-0.0, 5, 0, "    0"},        {99999.995, 8, 2, "********"},
      {999999999999999, 15, 0, "999999999999999"},            {9.5, 1, 0, "*"},
      {1e300, 10, 0, "**********"}, {std::numeric_limits<double>::quiet_NaN(), 3, 0, "***"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(number(c.v, c.width, c.dec), c.bytes);
  }
}

TEST(FieldCodec, ReadsWhatOtherWritersStore) {
  struct Case { const char* bytes; double v; };
  const Case cases[] = {{"   12.50", 12.5}, {"  -0.50", -0.5}, {"        ", 0}, {"********", 0},
                        {"12.5    ", 12.5}, {"  -     ", 0},   {"   .5", 0.5},  {" -.25", -0.25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_DOUBLE_EQ(xbase::decodeNumber(bytesOf(c.bytes)), c.v);
  }
  for (const char* t : {"T", "t", "Y", "y"}) EXPECT_TRUE(xbase::decodeLogical(bytesOf(t))) << t;
  for (const char* f : {"F", "f", "N", "n", "?", " "}) EXPECT_FALSE(xbase::decodeLogical(bytesOf(f))) << f;
  EXPECT_TRUE(xbase::decodeDate(bytesOf("        ")).empty());
  EXPECT_TRUE(xbase::decodeDate(bytesOf("20230230")).empty());
  EXPECT_TRUE(xbase::decodeDate(bytesOf("2024 229")).empty());
  EXPECT_EQ(xbase::decodeDate(bytesOf("20240229")).dtos(), "20240229");
}

TEST(FieldCodec, MemoBlockNumbers) {
  std::vector<std::byte> out(10);
  xbase::encodeMemoBlock(17, out);
  EXPECT_EQ(textOf(out), "        17");
  xbase::encodeMemoBlock(0, out);
  EXPECT_EQ(textOf(out), "          ");
  struct Case { std::string bytes; std::uint32_t block; };
  const Case ok[] = {{"        17", 17}, {"          ", 0}, {"0000000000", 0}, {std::string("\0\0\0\0\0\0\0\0\0\0", 10), 0},
                     {"  42      ", 42}};
  for (const Case& c : ok) EXPECT_EQ(xbase::decodeMemoBlock(bytesOf(c.bytes), "T.DBF", 0), c.block) << c.bytes;
  for (const char* bad : {"      12x3", "    -12   ", "99999999999"})
    EXPECT_THROW(xbase::decodeMemoBlock(bytesOf(bad), "T.DBF", 0), base::Corrupt) << bad;
}

// Every stored value of the reference tables decodes and encodes back to the same bytes;
// blank numbers and logicals (never assigned) and asterisks are the exceptions by design.
TEST(FieldCodec, EveryReferenceValueRoundTrips) {
  sys::PosixEnv env;
  sys::FixedClock clock({2025, 3, 14});
  for (const char* name : kFixtureTables) {
    SCOPED_TRACE(name);
    auto t = xbase::DbfFile::open(env, clock, testkit::fixture(std::string(name) + ".DBF"), xbase::Share::SharedReadOnly);
    ASSERT_TRUE(t);
    std::vector<std::byte> rec((*t)->recordLength()), again(rec.size());
    for (std::uint32_t r = 1; (*t)->readRecord(r, rec); ++r) {
      for (std::size_t i = 0; i < (*t)->fields().size(); ++i) {
        const auto& f = (*t)->fields()[i];
        const auto raw = (*t)->raw(rec, i);
        const std::string text = textOf(raw);
        if (text.find_first_not_of(' ') == std::string::npos && f.type != xbase::dbf::FieldType::Date) continue;
        if (text.find('*') != std::string::npos) continue;
        const auto out = std::span(again).first(raw.size());
        if (f.type == xbase::dbf::FieldType::Memo) {
          xbase::encodeMemoBlock(xbase::decodeMemoBlock(raw, name, 0), out);
        } else {
          ASSERT_TRUE(xbase::encodeValue(f, xbase::decodeValue(f, raw), out).isOk());
        }
        ASSERT_EQ(textOf(out), text) << "record " << r << " field " << f.name;
      }
    }
  }
}

TEST(FieldCodec, ValuesOfTheWrongTypeAreRefusedAndOverflowIsReported) {
  auto fields = xbase::dbf::fieldsFromSpecs({{"N", 'N', 4, 1}, {"C", 'C', 3}, {"D", 'D'}, {"L", 'L'}});
  ASSERT_TRUE(fields);
  std::vector<std::byte> out(4, std::byte{'x'});
  EXPECT_TRUE(xbase::encodeValue((*fields)[0], rt::Value::character("1"), out).is(base::Errc::Invalid));
  EXPECT_EQ(textOf(out), "xxxx");
  EXPECT_TRUE(xbase::encodeValue((*fields)[0], rt::Value::number(123.4), out).is(base::Errc::Invalid));
  EXPECT_EQ(textOf(out), "****");
  const rt::Value v = xbase::decodeValue((*fields)[0], bytesOf("-1.5"));
  EXPECT_DOUBLE_EQ(v.num(), -1.5);
  EXPECT_EQ(v.numberParts().width, 2);  // the integer part: N(4,1) prints 4 characters
  EXPECT_EQ(v.numberParts().decimals, 1);
  std::vector<std::byte> c(3);
  ASSERT_TRUE(xbase::encodeValue((*fields)[1], rt::Value::character("abcdef"), c).isOk());
  EXPECT_EQ(textOf(c), "abc");
  ASSERT_TRUE(xbase::encodeValue((*fields)[1], rt::Value::character("a"), c).isOk());
  EXPECT_EQ(textOf(c), "a  ");
  EXPECT_TRUE(xbase::encodeValue((*fields)[2], rt::Value::logical(true), out).is(base::Errc::Invalid));
  EXPECT_TRUE(xbase::encodeValue((*fields)[3], rt::Value::date({}), c).is(base::Errc::Invalid));
}

}  // namespace
