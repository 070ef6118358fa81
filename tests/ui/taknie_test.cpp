// tests/ui/taknie_test.cpp — TAKNIE: a flag shown as "TAK" or "nie".
#include <gtest/gtest.h>

#include "ui/taknie.hpp"

namespace {

TEST(TAKNIE, OnlyAFlagStartingWithTIsYes) {
  struct Case { const char* flag; const char* shown; };
  const Case cases[] = {{"T", "TAK"}, {"N", "nie"}, {" ", "nie"}, {"", "nie"}, {"t", "nie"}, {"TN", "TAK"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flag);
    EXPECT_EQ(ui::TAKNIE(c.flag), c.shown);
  }
}

}  // namespace
