// tests/store/register_test.cpp — the data store's routines are callable by name.
#include <gtest/gtest.h>

#include <vector>

#include "rt/runtime.hpp"
#include "store/register.hpp"

namespace {

TEST(RegisterStore, ZAOKRAnswersToItsName) {
  rt::Runtime rt;
  store::registerStore(rt.functions());
  const rt::Function* f = rt.functions().find("zaokr");
  ASSERT_NE(f, nullptr);
  std::vector<rt::Value> args{rt::Value::number(2.675, 10, 3), rt::Value::integer(2)};
  rt::Args a(args);
  const rt::Value r = (*f)(rt, a);
  EXPECT_DOUBLE_EQ(r.num(), 2.68);
  EXPECT_EQ(r.numberParts().decimals, 2);
  std::vector<rt::Value> wrong{rt::Value::character("2.675"), rt::Value::integer(2)};
  rt::Args w(wrong);
  EXPECT_THROW((*f)(rt, w), rt::RuntimeError);
}

}  // namespace
