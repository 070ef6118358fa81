// tests/store/zaokr_test.cpp — ZAOKR: rounding of money and quantities.
#include <gtest/gtest.h>

#include "store/zaokr.hpp"

namespace {

TEST(ZAOKR, RoundsHalvesAwayFromZeroWhateverTheBinaryValue) {
  struct Case { double x; int decimals; double expected; };
  const Case cases[] = {
      {2.675, 2, 2.68},   {-2.675, 2, -2.68},  // stored as 2.67499999...
      {1.005, 2, 1.01},   {-1.005, 2, -1.01},  {0.125, 2, 0.13},   {1.15, 1, 1.2},
      {2.5, 0, 3},        {-2.5, 0, -3},       {2.4999, 0, 2},     {12.344, 2, 12.34},
      {1234.5678, -2, 1200}, {50, -2, 100},    {-150, -2, -200},
      {1e20, 2, 1e20},    {-1e20, 2, -1e20},   // too wide for the printed form
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << " to " << c.decimals);
    EXPECT_DOUBLE_EQ(store::ZAOKR(c.x, c.decimals).value, c.expected);
  }
}

TEST(ZAOKR, ShowsTheRequestedDecimals) {
  EXPECT_EQ(store::ZAOKR(2.675, 2).decimals, 2);
  EXPECT_EQ(store::ZAOKR(2.675, 0).decimals, 0);
  EXPECT_EQ(store::ZAOKR(1234.5, -2).decimals, 0);
}

}  // namespace
