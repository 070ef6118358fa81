#include "base/result.hpp"

#include <gtest/gtest.h>

#include <string>

TEST(Result, HoldsAValueOrTheStatusThatExplainsItsAbsence) {
  base::Result<int> ok = 7;
  ASSERT_TRUE(ok);
  EXPECT_EQ(*ok, 7);
  base::Result<std::string> missing = base::Status(base::Errc::NotFound, "ZAM_A.DBF");
  ASSERT_FALSE(missing);
  EXPECT_TRUE(missing.error().is(base::Errc::NotFound));
  EXPECT_EQ(missing.error().toString(), "not found: ZAM_A.DBF");
  EXPECT_THROW((void)missing.value(), base::InternalFault);
}
