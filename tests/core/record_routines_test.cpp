// The routines that read the current record: order symbol, remarks line, colour choosers,
// the date rules of editors, the goods-code guard.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "core/routines_fixture.hpp"
#include "db/work_area.hpp"

namespace {

using coretest::RoutinesStation;

int colourOf(RoutinesStation& s, const char* chooser) {
  const rt::Value pair = s.call(chooser);
  EXPECT_TRUE(pair.isArray());
  EXPECT_EQ((*pair.array())[1].num(), 2);
  return static_cast<int>((*pair.array())[0].num());
}

TEST(SYMBOL, IsAccountYearAndNumberOfTheCurrentRecord) {
  RoutinesStation s;
  s.makeTable("EWIZAM", {{"KONTO", 'C', 5}, {"DATA_ZAM", 'D', 8}, {"NR_ZAM", 'C', 4}, {"UWAGI", 'C', 70}},
              {{"00002", "20161231", "0042", "Dostawa do 12:00"}, {"00001", "", "0001", ""}});
  s.open("EWIZAM");
  EXPECT_EQ(s.call("ROK_ZAM").text(), "2016");
  EXPECT_EQ(s.call("SYMBOL").text(), "0000220160042");
  const std::string remarks = s.call("UWAGI").text();
  EXPECT_EQ(remarks.size(), 74u);
  EXPECT_EQ(remarks.substr(0, 18), " Dostawa do 12:00 ");
  s.ws.current()->goTo(2);
  EXPECT_EQ(s.call("SYMBOL").text(), "00001    0001") << "an empty date keeps the key's width";
}

TEST(KOLORY, TheFirstMatchingRuleGivesTheRowColour) {
  struct Case {
    std::vector<xbase::dbf::FieldSpec> fields;
    std::vector<std::string> row;
    int colour;
  };
  const Case cases[] = {
      {{{"STAN_PH", 'N', 5}, {"STAN", 'N', 5}}, {"3", "0"}, 12},
      {{{"STAN_PH", 'N', 5}, {"STAN", 'N', 5}}, {"0", "0"}, 9},
      {{{"STAN", 'N', 5}}, {"4"}, 1},
      {{{"WN_ODB", 'N', 8, 2}, {"MA_ODB", 'N', 8, 2}}, {"10.50", "10"}, 10},
      {{{"WN_ODB", 'N', 8, 2}, {"MA_ODB", 'N', 8, 2}}, {"10", "10"}, 1},
      {{{"WN_ODB", 'N', 8, 2}}, {"10"}, 1},  // needs both fields
      {{{"USLUGA", 'C', 1}}, {"+"}, 10},
      {{{"USLUGA", 'C', 1}}, {"!"}, 11},
      {{{"USLUGA", 'C', 1}}, {""}, 1},
      {{{"NAZWA", 'C', 5}}, {"X"}, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.fields[0].name + std::string(" ") + k.row[0]);
    RoutinesStation s;
    s.makeTable("T", k.fields, {k.row});
    s.open("T");
    EXPECT_EQ(colourOf(s, "KOLORY"), k.colour);
  }
}

TEST(KOLORY, BalanceStageAndDeliveryChoosers) {
  struct Case {
    const char* chooser;
    std::vector<xbase::dbf::FieldSpec> fields;
    std::vector<std::string> row;
    int colour;
  };
  const Case cases[] = {
      {"KOLORY_WN", {{"WN", 'N', 8, 2}, {"DATA_PLA", 'D', 8}}, {"5", "20160314"}, 9},  // due yesterday
      {"KOLORY_WN", {{"WN", 'N', 8, 2}, {"DATA_PLA", 'D', 8}}, {"5", "20160315"}, 1},  // due today
      {"KOLORY_WN", {{"WN", 'N', 8, 2}, {"DATA_PLA", 'D', 8}}, {"-5", "20160101"}, 12},
      {"KOLORY_WN", {{"WN", 'N', 8, 2}, {"DATA_PLA", 'D', 8}}, {"0", "20160101"}, 1},
      {"KOLORY_E", {{"ETAP", 'C', 3}}, {"2"}, 11},
      {"KOLORY_E", {{"ETAP", 'C', 3}}, {"M"}, 9},
      {"KOLORY_E", {{"ETAP", 'C', 3}}, {"G"}, 12},
      {"KOLORY_E", {{"ETAP", 'C', 3}}, {"PH"}, 1},
      {"KOLORY_E", {{"ETAP", 'C', 3}}, {"0"}, 1},
      {"KOLORY_E", {{"NAZWA", 'C', 3}}, {"M"}, 1},
      {"KOLORY_B", {{"ILO_ZAM", 'N', 8, 2}, {"ILO_FAK", 'N', 8, 2}}, {"3", "2"}, 9},
      {"KOLORY_B", {{"ILO_ZAM", 'N', 8, 2}, {"ILO_FAK", 'N', 8, 2}}, {"3", "3"}, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.chooser) + " " + k.row[0]);
    RoutinesStation s;
    s.makeTable("T", k.fields, {k.row});
    s.open("T");
    EXPECT_EQ(colourOf(s, k.chooser), k.colour);
  }
}

TEST(KOLORY_E2, ReadsTheStageOfTheOrderRegisterWhateverAreaIsSelected) {
  RoutinesStation s;
  s.makeTable("EWIZAM", {{"ETAP", 'C', 3}}, {{"G"}});
  s.makeTable("T", {{"ETAP", 'C', 3}}, {{"M"}});
  s.open("EWIZAM");
  s.open("T");
  EXPECT_EQ(colourOf(s, "KOLORY_E2"), 12);
  EXPECT_EQ(colourOf(s, "KOLORY_E"), 9);
}

TEST(WAR_DATA, WarnsOfADateMoreThanAWeekBackAndLetsItThrough) {
  struct Case {
    const char* date;
    bool warned;
  };
  const Case cases[] = {{"20160308", false}, {"20160307", true}, {"20160315", false}, {"", false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.date);
    RoutinesStation s;
    s.makeTable("CRM", {{"DATA", 'D', 8}}, {{k.date}});
    s.open("CRM");
    if (k.warned) s.script.key(con::key::kEnter);
    EXPECT_TRUE(s.call("WAR_DATA").logical());
    EXPECT_EQ(s.wasShown(12, "Dozwolone daty po 07.03.16"), k.warned);
  }
}

TEST(WE_DATA, TheDateMayBeTypedUntilTheEntryHasADateAndAType) {
  RoutinesStation s;
  s.makeTable("CRM", {{"DATA", 'D', 8}, {"TYP", 'C', 2}},
              {{"", "T"}, {"20160101", ""}, {"20160101", "T"}});
  db::WorkArea& t = s.open("CRM");
  const bool expected[] = {true, true, false};
  for (std::uint32_t r = 1; r <= 3; ++r) {
    SCOPED_TRACE(r);
    t.goTo(r);
    EXPECT_EQ(s.call("WE_DATA").logical(), expected[r - 1]);
  }
}

TEST(DATA_PROM, ADiscountAppliesWithinItsDatesAndAnEmptyDateIsNoBound) {
  struct Case {
    const char* from;
    const char* to;
    bool applies;
  };
  const Case cases[] = {
      {"", "", true},
      {"20160315", "20160315", true},  // both bounds are inclusive
      {"20160316", "", false},
      {"", "20160314", false},
      {"20160101", "", true},
      {"", "20161231", true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.from) + "-" + k.to);
    RoutinesStation s;
    s.makeTable("UPUSTY", {{"DATA_OD", 'D', 8}, {"DATA_DO", 'D', 8}}, {{k.from, k.to}});
    s.makeTable("T", {{"KOD", 'C', 2}}, {{"A"}});
    s.open("UPUSTY");
    s.open("T");
    EXPECT_EQ(s.call("DATA_PROM").logical(), k.applies);
  }
}

TEST(NOWY_REK, ALineWithoutAGoodsCodeIsNotReadyButTheEndOfTheTableIs) {
  RoutinesStation s;
  s.makeTable("ZAM_R", {{"INDEKS", 'C', 10}}, {{""}, {"A1"}});
  db::WorkArea& t = s.open("ZAM_R");
  EXPECT_FALSE(s.call("NOWY_REK").logical());
  t.goTo(2);
  EXPECT_TRUE(s.call("NOWY_REK").logical());
  t.goBottom();
  t.skip();
  EXPECT_TRUE(s.call("NOWY_REK").logical());
}

}  // namespace
