// Order numbers from the counter table: per account and per year, four digits.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/routines_fixture.hpp"
#include "db/work_area.hpp"

namespace {

using coretest::RoutinesStation;

rt::Value day(int y, int m, int d) { return rt::Value::date(rt::Date::fromYmd(y, m, d)); }

TEST(NR_DOM, NumbersRunPerAccountAndRestartEachYear) {
  RoutinesStation s;
  s.makeTable("NR_ZAM", {{"KONTO", 'C', 5}, {"ROK_ZAM", 'C', 4}, {"NR_ZAM", 'N', 4}}, {{"00001", "2016", "41"}});
  struct Step {
    const char* account;
    int year;
    const char* number;
  };
  const Step steps[] = {
      {"00001", 2016, "0042"},  // the next number of a known pair
      {"00001", 2016, "0043"},
      {"00002", 2016, "0001"},  // another account starts at one
      {"00001", 2017, "0001"},  // and so does a new year
      {"00002", 2016, "0002"},
  };
  for (const Step& k : steps) {
    SCOPED_TRACE(std::string(k.account) + " " + std::to_string(k.year));
    EXPECT_EQ(s.call("NR_DOM", {rt::Value::character(k.account), day(k.year, 6, 1)}).text(), k.number);
  }
  EXPECT_EQ(s.ws.lowestFree(), 1) << "the counter table is closed again";
  db::WorkArea& t = s.open("NR_ZAM");
  EXPECT_EQ(t.lastRec(), 3u) << "one row per account and year";
}

TEST(NR_DOM, KeepsTheSelectedAreaAndBuildsAMissingIndex) {
  RoutinesStation s;
  s.makeTable("NR_ZAM", {{"KONTO", 'C', 5}, {"ROK_ZAM", 'C', 4}, {"NR_ZAM", 'N', 4}}, {});
  s.makeTable("INNA", {{"KOD", 'C', 2}}, {{"A"}});
  db::WorkArea& other = s.open("INNA");
  EXPECT_EQ(s.call("NR_DOM", {rt::Value::character("00005"), day(2016, 1, 1)}).text(), "0001");
  EXPECT_EQ(s.ws.selected(), other.number());
  EXPECT_TRUE(std::filesystem::exists(s.dir / "NR_ZAM.NTX"));
}

}  // namespace
