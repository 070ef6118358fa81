// NR_WYDRUKU and WYDRUK_NR over the print log, LPORZ, and the code-page conversions.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "db/work_area.hpp"
#include "print/lporz.hpp"
#include "print/nr_wydruku.hpp"
#include "print/print_fixture.hpp"
#include "print/txt_konwers.hpp"
#include "rt/codepage.hpp"

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct LogStation : printtest::PrintStation {
  explicit LogStation(const Rows& rows = Rows{}) {
    makeTable("WYDRUKI.DBF",
              {{"DOKUMENT", 'C', 15}, {"WYDRUK", 'N', 5}, {"DATA", 'D', 8}, {"GODZINA", 'C', 8}, {"OPERATOR", 'C', 3}},
              rows);
  }
  void document(const std::string& d) { ctx.setPublic("_DRU_DOK", rt::Value::character(d)); }
};

TEST(NR_WYDRUKU, ADocumentPrintedForTheFirstTimeGetsOneThenTwo) {
  LogStation s(Rows{{"INNY", "7"}});
  s.document("ZAM/0001/2016");
  EXPECT_EQ(print::WYDRUK_NR(s.ctx), 1);
  EXPECT_EQ(print::NR_WYDRUKU(s.ctx), 1);
  EXPECT_EQ(print::WYDRUK_NR(s.ctx), 2);
  EXPECT_EQ(print::NR_WYDRUKU(s.ctx), 2);
  s.document("INNY");
  EXPECT_EQ(print::NR_WYDRUKU(s.ctx), 8);
  EXPECT_EQ(s.ws.lowestFree(), 1) << "the log is closed again";
}

TEST(NR_WYDRUKU, ARecordLoggedWithZeroBecomesTheFirstPrintout) {
  LogStation s(Rows{{"ZAM1", "0"}});
  s.document("ZAM1");
  EXPECT_EQ(print::NR_WYDRUKU(s.ctx), 1);
  EXPECT_EQ(print::NR_WYDRUKU(s.ctx), 2);
  EXPECT_EQ(s.ws.use(s.path("WYDRUKI.DBF")).value()->lastRec(), 2u) << "the zero record was reused";
}

TEST(NR_WYDRUKU, TwoStationsPrintingTheSameDocumentAtOnceGetDifferentNumbers) {
  LogStation s;
  s.document("ZAM/0007/2016");
  ASSERT_EQ(print::WYDRUK_NR(s.ctx), 1);  // the log's index is there before the stations start
  constexpr int kStations = 2, kEach = 25;
  std::vector<pid_t> children;
  for (int k = 0; k < kStations; ++k) {
    const pid_t child = ::fork();
    if (child == 0) {  // a station of its own: the parent's objects, its own descriptors
      std::ofstream out(s.path("numbers" + std::to_string(k)));
      for (int i = 0; i < kEach; ++i) out << print::NR_WYDRUKU(s.ctx) << "\n";
      out.close();
      ::_exit(0);
    }
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::set<int> numbers;
  for (int k = 0; k < kStations; ++k) {
    std::ifstream in(s.path("numbers" + std::to_string(k)));
    for (int n; in >> n;) EXPECT_TRUE(numbers.insert(n).second) << "number " << n << " given twice";
  }
  EXPECT_EQ(numbers.size(), static_cast<std::size_t>(kStations * kEach));
  EXPECT_EQ(*numbers.begin(), 1);
  EXPECT_EQ(*numbers.rbegin(), kStations * kEach);
}

TEST(NR_WYDRUKU, NothingIsNumberedWithoutADocumentOrWithoutTheLog) {
  printtest::PrintStation s;
  s.ctx.setPublic("_DRU_DOK", rt::Value::character("ZAM1"));
  EXPECT_EQ(print::NR_WYDRUKU(s.ctx), 0) << "no log";
  LogStation t;
  EXPECT_EQ(print::NR_WYDRUKU(t.ctx), 0) << "no document";
}

TEST(LPORZ, CountsWhereTheConditionHoldsAndRestartsFromAStart) {
  printtest::PrintStation s;
  EXPECT_EQ(print::LPORZ(s.ctx), 1);
  EXPECT_EQ(print::LPORZ(s.ctx), 2);
  EXPECT_EQ(print::LPORZ(s.ctx, 0, false), 2);
  EXPECT_EQ(print::LPORZ(s.ctx, 10), 10);
  EXPECT_EQ(s.rt.evaluate("LPORZ()").num(), 11);
}

// The 18 letters a c e l n o s z z A C E L N O S Z Z in each code page.
const std::string kMazovia = "\x86\x8D\x91\x92\xA4\xA2\x9E\xA6\xA7\x8F\x95\x90\x9C\xA5\xA3\x98\xA0\xA1";
const std::string kLatin2 = "\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD";
const std::string kIso = "\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF";
const std::string kWindows = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
const std::string kPlain = "acelnoszzACELNOSZZ";

TEST(TXT_KONWERS, EveryLetterBetweenTheFiveCodePagesBothWays) {
  struct Case {
    const char* from;
    const std::string* in;
    const char* to;
    const std::string* out;
  };
  const Case cases[] = {
      {"M", &kMazovia, "L", &kLatin2}, {"L", &kLatin2, "M", &kMazovia}, {"M", &kMazovia, "I", &kIso},
      {"L", &kLatin2, "I", &kIso},     {"M", &kMazovia, "W", &kWindows}, {"L", &kLatin2, "W", &kWindows},
      {"M", &kMazovia, "S", &kPlain},  {"L", &kLatin2, "S", &kPlain},    {"L", &kLatin2, "L", &kLatin2},
  };
  printtest::PrintStation s;
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.from) + "->" + k.to);
    std::string text;
    for (int i = 0; i < 120; ++i) text += *k.in + " 123 \r\n";  // several 1024-byte blocks
    std::ofstream(s.path("IN.TXT"), std::ios::binary) << text;
    ASSERT_TRUE(print::TXT_KONWERS(s.ctx, "IN.TXT", k.from, k.to));
    std::string expected;
    for (int i = 0; i < 120; ++i) expected += *k.out + " 123 \r\n";
    EXPECT_EQ(s.read(s.station("XKONW.TXT")), expected);
  }
  EXPECT_FALSE(print::TXT_KONWERS(s.ctx, "IN.TXT", "W", "L")) << "only Mazovia or 852 text is converted from";
  EXPECT_FALSE(print::TXT_KONWERS(s.ctx, "BRAK.TXT", "L", "W"));
  EXPECT_EQ(print::MAZLAT_STD(kMazovia + "!"), kPlain + "!");
  EXPECT_EQ(print::MAZLAT_WIN(kMazovia + "!"), kWindows + "!");
}

}  // namespace
