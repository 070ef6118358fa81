#include "sys/clock.hpp"

#include <gtest/gtest.h>

TEST(Clock, ParsesYmdAndRejectsWhatIsNotADate) {
  auto t = sys::parseYmd("19991231");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->year, 1999);
  EXPECT_EQ(t->month, 12);
  EXPECT_EQ(t->day, 31);
  EXPECT_FALSE(sys::parseYmd("1999123"));
  EXPECT_FALSE(sys::parseYmd("19991331"));
  EXPECT_FALSE(sys::parseYmd("1999-1-1"));
}

TEST(Clock, AFixedDateKeepsTheRunningTimeOfDay) {
  sys::SystemClock c;
  c.fixDate(2024, 3, 5);
  const sys::CivilTime t = c.now();
  EXPECT_EQ(t.year, 2024);
  EXPECT_EQ(t.month, 3);
  EXPECT_EQ(t.day, 5);
}
