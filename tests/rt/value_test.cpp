#include "rt/value.hpp"

#include "base/fault.hpp"

#include <gtest/gtest.h>

TEST(Value, TypeLettersAndEmptinessFollowTheClassicRules) {
  struct Case { rt::Value v; char letter; bool empty; };
  const Case cases[] = {
      {rt::Value(), 'U', true},
      {rt::Value::character(" \t\r\n"), 'C', true},
      {rt::Value::character(" x"), 'C', false},
      {rt::Value::memo(""), 'M', true},
      {rt::Value::number(0), 'N', true},
      {rt::Value::number(-0.5, 10, 1), 'N', false},
      {rt::Value::date(rt::Date()), 'D', true},
      {rt::Value::date(rt::Date::fromYmd(2024, 1, 1)), 'D', false},
      {rt::Value::logical(false), 'L', true},
      {rt::Value::newArray(), 'A', true},
      {rt::Value::newArray(1), 'A', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.letter);
    EXPECT_EQ(c.v.typeLetter(), c.letter);
    EXPECT_EQ(c.v.isEmpty(), c.empty);
  }
}

TEST(Value, ArraysAreSharedByReference) {
  rt::Value a = rt::Value::newArray(1);
  rt::Value b = a;
  (*b.array())[0] = rt::Value::logical(true);
  EXPECT_TRUE((*a.array())[0].logical());
}

TEST(Value, WrongTypeAccessIsAFaultNotACrash) {
  EXPECT_THROW((void)rt::Value::logical(true).text(), base::InternalFault);
}
