#include "rt/mem_file.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/fault.hpp"
#include "testkit/temp_dir.hpp"

namespace {

std::vector<std::byte> bytesOf(std::string_view s) {
  std::vector<std::byte> b;
  for (char c : s) b.push_back(static_cast<std::byte>(c));
  return b;
}

std::vector<std::byte> fixtureBytes(const std::string& name) {
  return bytesOf(testkit::readFile(testkit::fixture(name)));
}

// A value as the fixture dumps write it: text escaped, numbers in their recorded width and
// decimals without leading blanks, dates as YYYYMMDD, logicals as T/F.
std::string dumpValue(const rt::Value& v) {
  switch (v.type()) {
    case rt::Type::Character: {
      std::string out;
      for (char c : v.text()) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (b < 0x20 || b == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\x%02X", b);
          out += buf;
        } else out += c;
      }
      return out;
    }
    case rt::Type::Numeric: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*f", v.numberParts().decimals, v.num());
      return buf;
    }
    case rt::Type::Date: return v.date().dtos();
    case rt::Type::Logical: return v.logical() ? "T" : "F";
    default: return "?";
  }
}

TEST(MemFile, DecodesTheReferenceFilesAsTheirDumpsSay) {
  for (const std::string stem : {"VARS", "BLO"}) {
    SCOPED_TRACE(stem);
    const rt::mem::Image image = rt::mem::decode(fixtureBytes(stem + ".MEM"), stem + ".MEM");
    std::istringstream dump(testkit::readFile(testkit::fixture(stem + ".mem.tsv")));
    std::string line;
    std::size_t i = 0;
    for (; std::getline(dump, line); ++i) {
      ASSERT_LT(i, image.variables.size());
      const rt::mem::Variable& var = image.variables[i];
      EXPECT_EQ(var.name + "\t" + var.value.typeLetter() + "\t" + dumpValue(var.value), line);
    }
    EXPECT_EQ(i, image.variables.size());
  }
}

TEST(MemFile, NumbersKeepTheWidthTheFileRecords) {
  const rt::mem::Image image = rt::mem::decode(fixtureBytes("VARS.MEM"), "VARS.MEM");
  struct Case { std::string_view name; int width, decimals; };
  const Case cases[] = {{"NULAMEK", 10, 3}, {"NDZIES", 10, 2}, {"NDUZA", 11, 0}, {"NCALK", 10, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto it = std::find_if(image.variables.begin(), image.variables.end(),
                                 [&](const rt::mem::Variable& v) { return v.name == c.name; });
    ASSERT_NE(it, image.variables.end());
    EXPECT_EQ(it->value.numberParts().width, c.width);
    EXPECT_EQ(it->value.numberParts().decimals, c.decimals);
  }
}

TEST(MemFile, ReEncodingTheReferenceFilesGivesTheSameBytes) {
  for (const std::string name : {"VARS.MEM", "BLO.MEM"}) {
    SCOPED_TRACE(name);
    const auto bytes = fixtureBytes(name);
    EXPECT_EQ(rt::mem::encode(rt::mem::decode(bytes, name)), bytes);
  }
}

TEST(MemFile, NewVariablesAreWrittenWithZeroedHeaderBytes) {
  rt::mem::Image image;
  image.variables.push_back(rt::mem::makeVariable("_test_blo", rt::Value::character("\xBE\xA2\x88ty")));
  image.variables.push_back(rt::mem::makeVariable("_slow_blo", rt::Value::character("W/N, N/W, N/N,,,,,W+/N")));
  image.variables.push_back(rt::mem::makeVariable("_ekra_blo", rt::Value::character("W/N, N/W, N/N")));
  image.variables.push_back(rt::mem::makeVariable("_edit_blo", rt::Value::character("W/N, N/W, N/N,,,,,W+/N")));
  EXPECT_EQ(rt::mem::encode(image), fixtureBytes("BLO.MEM"));
}

TEST(MemFile, WritesEveryTypeSoThatItReadsBack) {
  rt::mem::Image image;
  image.variables = {
      rt::mem::makeVariable("a_very_long_name", rt::Value::number(-42.125, 10, 3)),
      rt::mem::makeVariable("d", rt::Value::date(rt::Date::fromYmd(2000, 1, 1))),
      rt::mem::makeVariable("e", rt::Value::date(rt::Date())),
      rt::mem::makeVariable("l", rt::Value::logical(true)),
      rt::mem::makeVariable("m", rt::Value::memo(std::string("a\0b", 3))),
  };
  const auto bytes = rt::mem::encode(image);
  // 2000-01-01 is day 2451545, stored as a little-endian double.
  EXPECT_EQ(std::vector<std::byte>(bytes.begin() + 2 * 32 + 8, bytes.begin() + 2 * 32 + 16),
            bytesOf(std::string("\x00\x00\x00\x80\x2C\xB4\x42\x41", 8)));
  const rt::mem::Image back = rt::mem::decode(bytes, "x.mem");
  ASSERT_EQ(back.variables.size(), 5u);
  EXPECT_EQ(back.variables[0].name, "A_VERY_LON");
  EXPECT_EQ(back.variables[0].value.num(), -42.125);
  EXPECT_EQ(back.variables[1].value.date(), rt::Date::fromYmd(2000, 1, 1));
  EXPECT_TRUE(back.variables[2].value.date().empty());
  EXPECT_TRUE(back.variables[3].value.logical());
  EXPECT_EQ(back.variables[4].value.text(), std::string("a\0b", 3));
  EXPECT_EQ(bytes.back(), rt::mem::kEndMark);
}

TEST(MemFile, MalformedFilesAreReportedNotMisread) {
  auto bytes = fixtureBytes("BLO.MEM");
  {
    auto truncated = bytes;
    truncated.resize(32 + 3);  // the header of the first variable, part of its text
    EXPECT_THROW(rt::mem::decode(truncated, "BLO.MEM"), base::Corrupt);
  }
  {
    auto badType = bytes;
    badType[11] = std::byte{0xD4};
    EXPECT_THROW(rt::mem::decode(badType, "BLO.MEM"), base::Corrupt);
  }
  // Fewer than 32 bytes left is the end of the file, whatever they hold.
  EXPECT_TRUE(rt::mem::decode(bytesOf("\x1A"), "x").variables.empty());
  EXPECT_TRUE(rt::mem::decode({}, "x").variables.empty());
}

TEST(MemFile, PlainTypeLettersAreReadAndKept) {
  auto bytes = fixtureBytes("BLO.MEM");
  bytes[11] = std::byte{'C'};
  const rt::mem::Image image = rt::mem::decode(bytes, "BLO.MEM");
  EXPECT_EQ(image.variables[0].value.text(), "\xBE\xA2\x88ty");
  EXPECT_EQ(rt::mem::encode(image), bytes);
}

TEST(MemFile, WriteReplacesTheFileAndReadReportsAMissingOne) {
  testkit::TempDir dir;
  const auto path = dir / "ekran.mem";
  EXPECT_TRUE(rt::mem::readFile(path).error().is(base::Errc::NotFound));
  ASSERT_TRUE(rt::mem::writeFile(path, bytesOf("old contents")).isOk());
  ASSERT_TRUE(rt::mem::writeFile(path, bytesOf("new")).isOk());
  EXPECT_EQ(*rt::mem::readFile(path), bytesOf("new"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_FALSE(rt::mem::writeFile(dir / "no-such-folder" / "x.mem", bytesOf("x")).isOk());
}

}  // namespace
