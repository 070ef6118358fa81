#include "rt/date_text.hpp"

#include <gtest/gtest.h>

#include "rt/codepage.hpp"

namespace {

rt::Date ymd(int y, int m, int d) { return rt::Date::fromYmd(y, m, d); }

}  // namespace

TEST(Ctod, ReadsDayMonthYearWithTheEpoch) {
  const rt::Settings program;  // "dd.mm.yy", epoch 1950
  struct Case { std::string_view text; rt::Date date; };
  const Case cases[] = {
      {"1.1.49", ymd(2049, 1, 1)},      {"31.12.50", ymd(1950, 12, 31)},
      {"31.12.99", ymd(1999, 12, 31)},  {"01.01.00", ymd(2000, 1, 1)},
      {"5/6/7", ymd(2007, 6, 5)},       {"05.06.2007", ymd(2007, 6, 5)},
      {"5.6.1949", ymd(1949, 6, 5)},    {"5.6.949", ymd(949, 6, 5)},
      {" 29 - 02 -- 24 ", ymd(2024, 2, 29)},
      {"29.02.23", rt::Date()},         {"31.04.24", rt::Date()},
      {"01.13.24", rt::Date()},         {"00.01.24", rt::Date()},
      {"  .  .  ", rt::Date()},         {"", rt::Date()},
      {"12.05", rt::Date()},            {"1.1.0000", rt::Date()},
      {"1.1.12345", rt::Date()},        {"99999999999999.1.1", rt::Date()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(rt::ctod(c.text, program), c.date);
  }
}

TEST(Ctod, FollowsTheLayoutOrderAndEpoch) {
  struct Case { std::string_view text, layout; int epoch; rt::Date date; };
  const Case cases[] = {
      {"12/31/99", "mm/dd/yy", 1900, ymd(1999, 12, 31)},
      {"01/02/03", "mm/dd/yy", 1900, ymd(1903, 1, 2)},
      {"03.01.02", "yy.mm.dd", 1950, ymd(2003, 1, 2)},
      {"2024/02/29", "yyyy/mm/dd", 1950, ymd(2024, 2, 29)},
      {"01.01.16", "dd.mm.yyyy", 1950, ymd(2016, 1, 1)},
      {"01.01.85", "dd.mm.yyyy", 1950, ymd(1985, 1, 1)},
      {"1.1.79", "dd.mm.yy", 1980, ymd(2079, 1, 1)},
      {"1.1.80", "dd.mm.yy", 1980, ymd(1980, 1, 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(rt::ctod(c.text, c.layout, c.epoch), c.date);
  }
}

TEST(Dtoc, WritesTheLayoutAndBlanksTheEmptyDate) {
  struct Case { rt::Date date; std::string_view layout, text; };
  const Case cases[] = {
      {ymd(2049, 1, 1), "dd.mm.yy", "01.01.49"},   {ymd(1949, 1, 1), "dd.mm.yy", "01.01.49"},
      {ymd(2007, 6, 5), "dd.mm.yyyy", "05.06.2007"}, {ymd(1999, 12, 31), "mm/dd/yy", "12/31/99"},
      {ymd(2024, 2, 29), "yyyy-mm-dd", "2024-02-29"}, {ymd(5, 3, 4), "dd.mm.yyyy", "04.03.0005"},
      {rt::Date(), "dd.mm.yy", "  .  .  "},        {rt::Date(), "yyyy/mm/dd", "    /  /  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(rt::dtoc(c.date, c.layout), c.text);
  }
}

TEST(Dtoc, RoundTripsThroughCtodInsideTheEpochWindow) {
  const rt::Settings program;
  for (rt::Date d : {ymd(1950, 1, 1), ymd(1999, 12, 31), ymd(2000, 2, 29), ymd(2049, 12, 31)}) {
    SCOPED_TRACE(d.dtos());
    EXPECT_EQ(rt::ctod(rt::dtoc(d, program), program), d);
  }
}

TEST(DateNames, PolishMonthAndDayNames) {
  using namespace rt::literals;
  EXPECT_EQ(rt::monthName(1), "Styczeń"_pl);
  EXPECT_EQ(rt::monthName(10), "Październik"_pl);
  EXPECT_EQ(rt::monthName(0), "");
  EXPECT_EQ(rt::dayName(1), "Niedziela"_pl);
  EXPECT_EQ(rt::dayName(4), "Środa"_pl);
  EXPECT_EQ(rt::dayName(8), "");
  EXPECT_EQ(rt::britishLayout("dd.mm.yy"), "dd/mm/yy");
  EXPECT_EQ(rt::britishLayout("mm/dd/yyyy"), "dd/mm/yyyy");
}
