// tests/ui/number_text_test.cpp — LICZBA and TRANS0: numbers shown as text in messages and
// file names.
#include <gtest/gtest.h>

#include "ui/liczba.hpp"
#include "ui/trans0.hpp"

namespace {

TEST(LICZBA, DropsTheLeadingBlanksOfSTR) {
  struct Case { rt::Number n; const char* text; };
  const Case cases[] = {
      {{12, 10, 0}, "12"}, {{0, 10, 0}, "0"}, {{1.5, 10, 2}, "1.50"}, {{-3.25, 10, 2}, "-3.25"},
      {{7, 3, 0}, "7"},  // the width of a field N(3)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ui::LICZBA(c.n), c.text);
  }
}

TEST(TRANS0, FillsTheDigitPositionsWithLeadingZeros) {
  struct Case { double value; int width; const char* text; };
  const Case cases[] = {
      {5, 3, "005"},   {123, 3, "123"}, {0, 2, "00"},
      {2.5, 3, "003"},   // rounded half away from zero
      {1234, 3, "***"},  // does not fit
      {-5, 3, "-05"},    // minus first, never "0-5"
      {7, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ui::TRANS0(c.value, c.width), c.text);
  }
}

}  // namespace
