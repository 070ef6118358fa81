// tests/store/register_test.cpp — the data store's routines are callable by name.
#include <gtest/gtest.h>

#include <vector>

#include "rt/runtime.hpp"
#include "store/register.hpp"

namespace {

TEST(RegisterStore, ZAOKRAnswersToItsName) {
  rt::Runtime rt;
  store::registerStore(rt.functions());
  const rt::Value r = rt.call("zaokr", {rt::Value::number(2.675, 10, 3), rt::Value::integer(2)});
  EXPECT_DOUBLE_EQ(r.num(), 2.68);
  EXPECT_EQ(r.numberParts().decimals, 2);
  EXPECT_THROW(rt.call("zaokr", {rt::Value::character("2.675"), rt::Value::integer(2)}), rt::RuntimeError);
}

}  // namespace
