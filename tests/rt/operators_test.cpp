#include "rt/operators.hpp"

#include <gtest/gtest.h>

#include "rt/number_text.hpp"
#include "rt/runtime.hpp"

namespace {

// A value as "TYPE text": numbers as STR() prints them (width and decimals visible),
// dates as DTOS.
std::string show(const rt::Value& v) {
  switch (v.type()) {
    case rt::Type::Character: return "C " + v.text();
    case rt::Type::Numeric: return "N " + rt::str(v.numberParts());
    case rt::Type::Date: return "D " + v.date().dtos();
    case rt::Type::Logical: return v.logical() ? "L .T." : "L .F.";
    case rt::Type::Nil: return "NIL";
    default: return std::string(1, v.typeLetter());
  }
}

struct Case {
  const char* expr;
  const char* expected;
};

void expectAll(rt::Runtime& rt, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expr);
    EXPECT_EQ(show(rt.evaluate(c.expr)), c.expected);
  }
}

}  // namespace

TEST(Operators, ArithmeticResultsCarryTheClassicWidthsAndDecimals) {
  rt::Runtime rt;
  expectAll(rt, {
      {"7/2", "N          3.50"},
      {"1.5", "N          1.5"},
      {"10+5", "N         15"},
      {"12.5*2.25", "N         28.125"},
      {"1 + 1.50", "N          2.50"},
      {"2.5 - 1", "N          1.5"},
      {"6/2", "N          3.00"},
      {"1 + 2*3/4 - 2**2^3", "N        -61.50"},
      {"2**3**2", "N         64.00"},
      {"-3 % 2", "N         -1.00"},
      {"7 % -3", "N          1.00"},
      {"-2**2", "N          4.00"},
      {"- (1.25)", "N         -1.25"},
      {"12345678901 + 1", "N          12345678902"},
  });
  rt.settings().decimals = 4;
  expectAll(rt, {{"1/3", "N          0.3333"}});
}

TEST(Operators, TextPlusAndMinus) {
  rt::Runtime rt;
  expectAll(rt, {
      {"'ab' + 'cd'", "C abcd"},
      {"'A  ' - 'B'", "C AB  "},
      {"'   ' - 'x'", "C x   "},
      {"'A' - 'B  '", "C AB  "},
      {"'x' + '' + 'y' + 'z'", "C xyz"},
  });
}

TEST(Operators, DateArithmetic) {
  rt::Runtime rt;
  rt.vars().set("d", rt::Value::date(rt::Date::fromYmd(1999, 12, 31)));
  rt.vars().set("e", rt::Value::date(rt::Date::fromYmd(2000, 3, 1)));
  expectAll(rt, {
      {"d + 1", "D 20000101"},
      {"1 + d", "D 20000101"},
      {"d + 1.9", "D 20000101"},
      {"d - 31", "D 19991130"},
      {"e - d", "N         61"},
      {"d - e", "N        -61"},
      {"d < e", "L .T."},
  });
}

TEST(Operators, TextComparisonFollowsSetExact) {
  rt::Runtime rt;
  expectAll(rt, {
      {"'ABC' = 'AB'", "L .T."},  {"'AB' = 'ABC'", "L .F."},  {"'ABC' = ''", "L .T."},
      {"'' = 'ABC'", "L .F."},    {"'AB ' = 'AB'", "L .T."},  {"'AB' = 'AB '", "L .F."},
      {"'ABC' > 'AB'", "L .F."},  {"'ABC' >= 'AB'", "L .T."}, {"'ABC' <= 'AB'", "L .T."},
      {"'AB' < 'ABC'", "L .T."},  {"'A' != 'A '", "L .T."},   {"'A' == 'A '", "L .F."},
      {"'AB' == 'AB'", "L .T."},  {"'ABC' == 'AB'", "L .F."}, {"'B' > 'A'", "L .T."},
      {"'A' <> 'B'", "L .T."},    {"'A' # 'A'", "L .F."},     {"'\x82' > 'z'", "L .T."},
  });
  rt.settings().exact = true;
  expectAll(rt, {
      {"'AB' = 'AB '", "L .T."}, {"'AB ' = 'AB'", "L .T."}, {"'ABC' = 'AB'", "L .F."},
      {"'AB' != 'ABC'", "L .T."}, {"'A' == 'A '", "L .F."}, {"'ABC' > 'AB'", "L .T."},
  });
}

TEST(Operators, OtherComparisonsAndContains) {
  rt::Runtime rt;
  rt.vars().set("empty", rt::Value::date(rt::Date()));
  rt.vars().set("d", rt::Value::date(rt::Date::fromYmd(1950, 1, 1)));
  expectAll(rt, {
      {"1 = 1.0", "L .T."},          {"0.1 + 0.2 = 0.3", "L .F."}, {"2 > 1", "L .T."},
      {".F. < .T.", "L .T."},        {".T. = .T.", "L .T."},       {"empty < d", "L .T."},
      {"empty = empty", "L .T."},    {"NIL == NIL", "L .T."},      {"NIL = 1", "L .F."},
      {"1 != NIL", "L .T."},         {"'b' $ 'abc'", "L .T."},     {"'' $ 'abc'", "L .F."},
      {"'abd' $ 'abc'", "L .F."},    {"'B' $ 'abc'", "L .F."},
  });
}

TEST(Operators, MixedTypesRaiseArgumentErrorsNamingTheOperator) {
  rt::Runtime rt;
  struct Bad { const char* expr; const char* op; int subCode; };
  const Bad cases[] = {
      {"1 + 'a'", "+", 1081},    {"'a' - 1", "-", 1082},  {"'a' * 2", "*", 1083}, {".T. / 1", "/", 1084},
      {"1 = 'a'", "=", 1071},    {"1 == 'a'", "==", 1070}, {"1 < 'a'", "<", 1073}, {"NIL < 1", "<", 1073},
      {"1 $ 'a'", "$", 1109},    {"-'a'", "-", 1080},      {"!1", ".NOT.", 1077},  {"1 .AND. .T.", ".AND.", 1078},
      {".F. .OR. 2", ".OR.", 1079}, {"{1} = {1}", "=", 1071},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.expr);
    try {
      (void)rt.evaluate(c.expr);
      ADD_FAILURE() << "no error";
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.error().genCode, rt::GenCode::Arg);
      EXPECT_EQ(e.error().subsystem, "BASE");
      EXPECT_EQ(e.error().operation, c.op);
      EXPECT_EQ(e.error().subCode, c.subCode);
    }
  }
}

TEST(Operators, DivisionByZeroGivesZeroByDefaultAndReachesTheHook) {
  rt::Runtime rt;
  expectAll(rt, {{"1/0", "N          0"}, {"5 % 0", "N          0"}});
  std::vector<std::string> seen;
  rt.setErrorHook([&](rt::Runtime&, rt::Error& e) -> std::optional<rt::Value> {
    seen.push_back(e.operation);
    EXPECT_EQ(e.genCode, rt::GenCode::ZeroDiv);
    return rt::Value::integer(-1);
  });
  expectAll(rt, {{"1/0 + 1", "N          0"}, {"5 % 0", "N         -1"}});
  EXPECT_EQ(seen, (std::vector<std::string>{"/", "%"}));
}

TEST(Operators, TextLongerThanTheLongestStringIsAnOverflowNotAnAllocation) {
  rt::Runtime rt;
  rt.vars().set("big", rt::Value::character(std::string(40000, 'x')));
  for (const char* text : {"big + big", "big - big", "'a' + big + big + 'b'"}) {
    SCOPED_TRACE(text);
    try {
      (void)rt.evaluate(text);
      ADD_FAILURE() << "no error";
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.error().genCode, rt::GenCode::StrOverflow);
    }
  }
  EXPECT_EQ(rt.evaluate("big + left(big, 25535)").text().size(), 65535u);
}

TEST(Operators, ArraysAndBlocksAreEqualOnlyToThemselves) {
  rt::Runtime rt;
  rt.vars().set("a", rt::Value::newArray(1));
  rt.vars().set("b", rt::Value::newArray(1));
  expectAll(rt, {{"a == a", "L .T."}, {"a == b", "L .F."}});
}
