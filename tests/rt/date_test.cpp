#include "rt/date.hpp"

#include <gtest/gtest.h>

TEST(Date, JulianDayNumbersMatchTheCalendar) {
  struct Case { int y, m, d; std::int32_t jdn; int dow; };
  const Case cases[] = {{2000, 1, 1, 2451545, 7}, {1999, 12, 31, 2451544, 6},
                        {2024, 2, 29, 2460370, 5}, {1950, 1, 1, 2433283, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.jdn);
    const rt::Date d = rt::Date::fromYmd(c.y, c.m, c.d);
    EXPECT_EQ(d.julianDay(), c.jdn);
    EXPECT_EQ(d.ymd().year, c.y);
    EXPECT_EQ(d.ymd().month, c.m);
    EXPECT_EQ(d.ymd().day, c.d);
    EXPECT_EQ(d.dayOfWeek(), c.dow);
  }
}

TEST(Date, ImpossibleDatesAndBlanksAreTheEmptyDate) {
  EXPECT_TRUE(rt::Date::fromYmd(2023, 2, 29).empty());
  EXPECT_TRUE(rt::Date::fromYmd(2024, 13, 1).empty());
  EXPECT_TRUE(rt::Date::fromDtos("        ").empty());
  EXPECT_EQ(rt::Date().dtos(), "        ");
  EXPECT_EQ(rt::Date::fromDtos("19991231").dtos(), "19991231");
  EXPECT_LT(rt::Date(), rt::Date::fromYmd(1, 1, 1));
}
