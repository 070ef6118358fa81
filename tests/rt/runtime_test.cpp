// Runtime::call: routines called by name, and the error a missing name raises.
#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <vector>

#include "rt/runtime.hpp"

namespace {

TEST(RuntimeCall, CallsTheRoutineUnderItsNameInAnyCaseWithTheArguments) {
  rt::Runtime r;
  r.functions().add("KON_OK", [](rt::Runtime&, rt::Args& a) {
    return rt::Value::character(a[0].text() + "/" + std::to_string(a.size()));
  });
  EXPECT_EQ(r.call("kon_ok", {rt::Value::character("00042")}).text(), "00042/1");
  EXPECT_EQ(r.call("SUBSTR", {rt::Value::character("ABCDEF"), rt::Value::integer(2), rt::Value::integer(3)}).text(),
            "BCD");
  EXPECT_EQ(r.call("SUBS", {rt::Value::character("ABCDEF"), rt::Value::integer(5)}).text(), "EF");
}

TEST(RuntimeCall, WhatTheRoutineWritesToAnArgumentStaysWithTheCallersValues) {
  rt::Runtime r;
  r.functions().add("BUMP", [](rt::Runtime&, rt::Args& a) {
    a.ref(0) = rt::Value::integer(a[0].num() + 1);
    return rt::Value::logical(true);
  });
  std::vector<rt::Value> args{rt::Value::integer(41)};
  EXPECT_TRUE(r.call("BUMP", std::span<rt::Value>(args)).logical());
  EXPECT_EQ(args[0].num(), 42);
}

TEST(RuntimeCall, AMissingNameRaisesUndefinedFunctionAsAnExpressionWould) {
  rt::Runtime r;
  try {
    r.call("KON_OK", {rt::Value::character("00042")});
    FAIL() << "no error raised";
  } catch (const rt::RuntimeError& x) {
    EXPECT_EQ(x.error().genCode, rt::GenCode::NoFunc);
    EXPECT_EQ(x.error().message(), "Error BASE/1001  Undefined function: KON_OK");
    EXPECT_TRUE(x.error().canSubstitute);
  }
  // The handler's substitute is the call's result, exactly as for a call in an expression.
  std::vector<std::string> seen;
  r.setErrorHook([&seen](rt::Runtime&, rt::Error& e) -> std::optional<rt::Value> {
    seen.push_back(e.message());
    return rt::Value::logical(true);
  });
  EXPECT_TRUE(r.call("KON_OK").logical());
  EXPECT_TRUE(r.evaluate("KON_OK()").logical());
  EXPECT_EQ(seen, std::vector<std::string>(2, "Error BASE/1001  Undefined function: KON_OK"));
}

}  // namespace
