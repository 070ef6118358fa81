// tests/core/account_numbers_test.cpp — PH and SZ1: numbers kept as zero-filled text.
#include <gtest/gtest.h>

#include "core/ph.hpp"
#include "core/sz1.hpp"

namespace {

TEST(PH, GivesTheRepresentativeNumberOfAnAccount) {
  struct Case { const char* account; const char* number; };
  const Case cases[] = {
      {"00000", "00"}, {"00003", "03"}, {"00025", "25"}, {"12345", "45"},
      {"3", "03"},     {"  3", "03"},   {"", "00"},      {"abc", "00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.account);
    EXPECT_EQ(core::PH(c.account), c.number);
  }
}

TEST(SZ1, ZeroFillsNumericTextInItsOwnWidth) {
  struct Case { const char* before; const char* after; };
  const Case cases[] = {
      {"7 ", "07"}, {" 12", "012"}, {"5", "5"},  {"", ""},   {"   ", "   "},  // blank stays
      {"-5 ", "-05"},  // the sign goes first, so the text still reads as -5
      {"1.5", "002"},  // rounded to a whole number
      {"abc", "000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    std::string text = c.before;
    EXPECT_TRUE(core::SZ1(text));
    EXPECT_EQ(text, c.after);
  }
}

}  // namespace
