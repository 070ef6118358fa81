#include "rt/number_text.hpp"

#include <cmath>

#include <gtest/gtest.h>

namespace {

rt::Number num(double v, int width, int dec) {
  return rt::Number{v, static_cast<std::int16_t>(width), static_cast<std::int16_t>(dec)};
}

}  // namespace

TEST(Str, NumbersPrintInTheirOwnWidthAndDecimals) {
  struct Case { rt::Number n; std::string_view text; };
  const Case cases[] = {
      {num(3.5, 10, 2), "         3.50"},      // 7/2 under SET DECIMALS 2
      {num(1.5, 10, 1), "         1.5"},       // literal 1.5
      {num(15, 10, 0), "        15"},          // 10+5
      {num(28.125, 10, 3), "        28.125"},  // 12.5*2.25
      {num(2.35, 10, 2), "         2.35"},     // ROUND(2.345,2)
      {num(12.5, 4, 2), "  12.50"},            // field N(7,2): exactly 7 characters
      {num(-3, 10, 0), "        -3"},
      {num(123456, 3, 0), "***"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(rt::str(c.n), c.text);
  }
}

TEST(Str, LengthAndDecimalsFollowTheClassicRules) {
  struct Case { double v; int len, dec; std::string_view text; };
  const Case cases[] = {
      {3.14159, 8, 2, "    3.14"},
      {2.5, 3, 0, "  3"},
      {-2.5, 3, 0, " -3"},
      {-12.5, 6, 1, " -12.5"},
      {1.005, 6, 2, "  1.01"},     // 1.00499... as stored, written 1.005
      {2.675, 6, 2, "  2.68"},
      {0.285, 5, 2, " 0.29"},
      {123456, 5, 0, "*****"},
      {-10, 2, 0, "**"},
      {99.96, 5, 1, "100.0"},      // the carry reaches a new digit and still fits
      {99.96, 4, 1, "****"},
      {-0.4, 5, 0, "    0"},       // rounds to zero: no minus
      {-0.004, 6, 2, "  0.00"},
      {5.4, 1, 2, "5"},            // dec ignored when len is 1
      {42, 0, 0, "        42"},    // len <= 0 counts as 10
      {42, -3, 0, "        42"},
      {7.25, 5, -1, "    7"},
      {1.5, 3, 3, "***"},
      {1e15, 20, 0, "    1000000000000000"},
      {123456789012345678.0, 20, 0, "  123456789012345680"},  // exact integer digits
      {0.000001, 10, 5, "   0.00000"},
      {1e-300, 6, 2, "  0.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(rt::str(c.v, c.len, c.dec), c.text);
  }
}

TEST(Str, InfinityAndNaNOverflow) {
  EXPECT_EQ(rt::str(1.0 / 0.0, 5, 0), "*****");
  EXPECT_EQ(rt::str(std::nan(""), 4, 1), "****");
  EXPECT_EQ(rt::str(-1.0 / 0.0, 3, 0), "***");
}

TEST(StrZero, LeadingBlanksBecomeZerosWithTheMinusFirst) {
  struct Case { double v; int len, dec; std::string_view text; };
  const Case cases[] = {
      {-10, 5, 0, "-0010"}, {1234, 3, 0, "***"}, {7, 4, 0, "0007"},
      {3.5, 6, 2, "003.50"}, {-0.4, 3, 0, "000"}, {-1.5, 6, 1, "-001.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(rt::strZero(c.v, c.len, c.dec), c.text);
  }
  EXPECT_EQ(rt::strZero(num(5, 10, 0)), "0000000005");
}

TEST(Val, ReadsLeadingNumberAndGivesItsWidth) {
  struct Case { std::string_view text; double value; int width, dec; };
  const Case cases[] = {
      {"  12", 12, 4, 0},   {"12abc", 12, 5, 0}, {"1,5", 1, 3, 0},  {"1.50", 1.5, 1, 2},
      {"- 12", 0, 4, 0},    {"", 0, 1, 0},       {"1E2", 1, 3, 0},  {"-12.5", -12.5, 3, 1},
      {"+7", 7, 2, 0},      {"\t\r\n3", 3, 4, 0}, {".5", 0.5, 1, 1}, {"12.", 12, 3, 0},
      {"1.2.3", 1.2, 3, 1}, {"abc", 0, 3, 0},     {"--1", 0, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const rt::Number n = rt::val(c.text);
    EXPECT_EQ(n.value, c.value);
    EXPECT_EQ(n.width, c.width);
    EXPECT_EQ(n.decimals, c.dec);
  }
  EXPECT_EQ(rt::str(rt::val(std::string(400, '9')).value, 5, 0), "*****");  // too big for a double
  EXPECT_EQ(rt::val("-0." + std::string(400, '0') + "1").value, 0.0);
  EXPECT_EQ(rt::str(rt::val("1.50")), "1.50");
  EXPECT_EQ(rt::str(rt::val("  12")), "  12");
}

TEST(Round, HalfAwayFromZeroAtAnyPlace) {
  struct Case { double v; int places; double result; };
  const Case cases[] = {
      {2.5, 0, 3},         {-2.5, 0, -3},       {-0.55, 1, -0.6},   {1234.5678, -2, 1200},
      {50, -2, 100},       {49, -2, 0},         {2.345, 2, 2.35},   {1.005, 2, 1.01},
      {-1.005, 2, -1.01},  {0.125, 2, 0.13},    {1234.5678, 2, 1234.57}, {999.5, 0, 1000},
      {7, 5, 7},           {1e-320, 2, 0},      {123, -1000, 0},    {0.1, 1000, 0.1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.v << " @" << c.places);
    EXPECT_EQ(rt::round(c.v, c.places), c.result);
  }
}

TEST(Widths, RoundIntAndIntegersCarryTheClassicWidths) {
  const rt::Number r = rt::roundNumber(2.345, 2);
  EXPECT_EQ(rt::str(r), "         2.35");
  EXPECT_EQ(rt::roundNumber(1234.5, -2).decimals, 0);
  EXPECT_EQ(rt::str(rt::roundNumber(1234.5, -2)), "      1200");
  const rt::Number i = rt::intNumber(num(-3.75, 6, 2));
  EXPECT_EQ(i.value, -3);
  EXPECT_EQ(rt::str(i), "    -3");
  EXPECT_EQ(rt::integerWidth(9999999999.0), 10);
  EXPECT_EQ(rt::integerWidth(10000000000.0), 20);
  EXPECT_EQ(rt::integerWidth(-999999999.0), 10);
  EXPECT_EQ(rt::integerWidth(-1000000000.0), 20);  // the minus needs the eleventh place
}

// Values written with three decimals (k / 1000) rounded to two must round as written, half
// away from zero, whichever way the binary value leans: the expected text comes from the
// integer k alone.
TEST(Str, EveryThreeDecimalValueRoundsAsWritten) {
  for (long k = -300000; k <= 300000; k += 1) {
    const long tenths = (std::labs(k) + 5) / 10;  // hundredths of the rounded value
    std::string expected = std::to_string(tenths / 100) + "." + (tenths % 100 < 10 ? "0" : "") +
                           std::to_string(tenths % 100);
    if (k < 0 && tenths != 0) expected.insert(0, "-");
    const double v = static_cast<double>(k) / 1000.0;
    if (rt::fixedText(v, 2) != expected) {
      ADD_FAILURE() << "k=" << k << " gives " << rt::fixedText(v, 2) << ", expected " << expected;
      break;
    }
    const double r = rt::round(v, 2);
    if (r != std::stod(expected)) {
      ADD_FAILURE() << "ROUND k=" << k << " gives " << r << ", expected " << expected;
      break;
    }
  }
}
