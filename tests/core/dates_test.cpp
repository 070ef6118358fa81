// tests/core/dates_test.cpp — ROK and DTOC2: the year and the long date form.
#include <gtest/gtest.h>

#include "core/dtoc2.hpp"
#include "core/rok.hpp"

namespace {

TEST(ROK, GivesTheYearAsFourDigits) {
  struct Case { rt::Date date; const char* year; };
  const Case cases[] = {
      {rt::Date::fromYmd(2016, 3, 5), "2016"},
      {rt::Date::fromYmd(1950, 12, 31), "1950"},
      {rt::Date::fromYmd(2049, 1, 1), "2049"},
      {rt::Date::fromYmd(999, 6, 1), "0999"},
      {rt::Date{}, "    "},  // the empty date keeps the width of a key part
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.year);
    EXPECT_EQ(core::ROK(c.date), c.year);
  }
}

TEST(DTOC2, WritesDayMonthAndFourDigitYear) {
  struct Case { rt::Date date; const char* text; };
  const Case cases[] = {
      {rt::Date::fromYmd(2016, 3, 5), "05.03.2016"},
      {rt::Date::fromYmd(1949, 12, 31), "31.12.1949"},
      {rt::Date{}, "  .  .    "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(core::DTOC2(c.date), c.text);
  }
}

}  // namespace
