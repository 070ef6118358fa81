// tests/core/register_test.cpp — the core routines are callable by name from expressions.
#include <gtest/gtest.h>

#include <vector>

#include "core/register.hpp"
#include "rt/runtime.hpp"
#include "testkit/call.hpp"

namespace {

using testkit::call;

TEST(RegisterCore, RoutinesAnswerToTheirNamesInAnyCase) {
  rt::Runtime rt;
  core::registerCore(rt.functions());
  EXPECT_EQ(call(rt, "rok", {rt::Value::date(rt::Date::fromYmd(2016, 3, 5))}).text(), "2016");
  EXPECT_EQ(call(rt, "Dtoc2", {rt::Value::date(rt::Date::fromYmd(2016, 3, 5))}).text(), "05.03.2016");
}

TEST(RegisterCore, AnArgumentOfTheWrongTypeIsARuntimeArgumentError) {
  rt::Runtime rt;
  core::registerCore(rt.functions());
  try {
    call(rt, "ROK", {rt::Value::character("2016")});
    FAIL() << "no error raised";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.error().genCode, rt::GenCode::Arg);
    EXPECT_EQ(e.error().operation, "ROK");
  }
}

TEST(RegisterCore, SZ1WritesBackThroughAReferenceArgument) {
  rt::Runtime rt;
  core::registerCore(rt.functions());
  std::vector<rt::Value> args{rt::Value::character("7 ")};
  EXPECT_TRUE(rt.call("SZ1", std::span<rt::Value>(args)).logical());
  EXPECT_EQ(args[0].text(), "07");
}

}  // namespace
