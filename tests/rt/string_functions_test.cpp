#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/codepage.hpp"
#include "rt/runtime.hpp"

namespace {

using rt::Value;
using namespace rt::literals;
using namespace std::string_literals;

Value C(std::string s) { return Value::character(std::move(s)); }
Value N(double v) { return Value::number(v); }
Value L(bool b) { return Value::logical(b); }

Value call(rt::Runtime& r, std::string_view name, std::vector<Value> args) {
  if (!r.functions().contains(name)) throw std::runtime_error("no function " + std::string(name));
  return r.call(name, std::move(args));
}

struct TextCase {
  const char* name;
  std::vector<Value> args;
  std::string expected;
};

void expectTexts(const std::vector<TextCase>& cases) {
  rt::Runtime r;
  for (const TextCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " -> \"" + c.expected + "\"");
    const Value v = call(r, c.name, c.args);
    ASSERT_EQ(v.type(), rt::Type::Character);
    EXPECT_EQ(v.text(), c.expected);
  }
}

TEST(StringFunctions, CuttingFollowsTheClassicPositionRules) {
  expectTexts({
      {"SUBSTR", {C("abcdef"), N(0), N(2)}, "ab"},
      {"SUBSTR", {C("abcdef"), N(-2)}, "ef"},
      {"SUBSTR", {C("abcdef"), N(7)}, ""},
      {"SUBSTR", {C("abcdef"), N(-10), N(3)}, "abc"},
      {"SUBSTR", {C("abcdef"), N(2), N(0)}, ""},
      {"SUBSTR", {C("abcdef"), N(2), N(-1)}, ""},
      {"SUBSTR", {C("abcdef"), N(5), N(100)}, "ef"},
      {"SUBSTR", {C("abcdef"), N(2.9), N(2.9)}, "bc"},
      {"SUBSTR", {Value::memo("memo text"), N(6)}, "text"},
      {"SUBS", {C("abcdef"), N(3), N(1)}, "c"},
      {"LEFT", {C("abc"), N(-1)}, ""},
      {"LEFT", {C("abc"), N(2)}, "ab"},
      {"LEFT", {C("abc"), N(9)}, "abc"},
      {"RIGHT", {C("abc"), N(0)}, ""},
      {"RIGHT", {C("abc"), N(2)}, "bc"},
      {"RIGHT", {C("abc"), N(9)}, "abc"},
      {"STUFF", {C("abcdef"), N(2), N(3), C("XY")}, "aXYef"},
      {"STUFF", {C("abc"), N(0), N(0), C("X")}, "Xabc"},
      {"STUFF", {C("abc"), N(9), N(5), C("X")}, "abcX"},
      {"STUFF", {C("abc"), N(2), N(9), C("")}, "a"},
  });
}

TEST(StringFunctions, TrimsRemoveBlanksAndOnlyLeadingWhitespace) {
  expectTexts({
      {"TRIM", {C(" a b \t  ")}, " a b \t"},
      {"RTRIM", {C("ab   ")}, "ab"},
      {"RTRI", {C("   ")}, ""},
      {"LTRIM", {C(" \t\r\n ab ")}, "ab "},
      {"ALLTRIM", {C("\r\n ab  ")}, "ab"},
      {"ALLTRIM", {C(" ab\t")}, "ab\t"},
      {"ALLTRIM", {C("")}, ""},
  });
}

TEST(StringFunctions, PaddingCutsLongValuesFromTheLeftInAllThree) {
  expectTexts({
      {"PADR", {C("ab"), N(4)}, "ab  "},
      {"PADL", {C("ab"), N(4), C("*x")}, "**ab"},
      {"PADC", {C("ab"), N(5)}, " ab  "},
      {"PADC", {C("ab"), N(6), C("-")}, "--ab--"},
      {"PADL", {C("abcdef"), N(3)}, "abc"},
      {"PADR", {C("abcdef"), N(3)}, "abc"},
      {"PADC", {C("abcdef"), N(3)}, "abc"},
      {"PADR", {C("ab"), N(0)}, ""},
      {"PADR", {C("ab"), N(-3)}, ""},
      {"PADR", {C("ab"), N(3), C("")}, "ab "},
      {"PADL", {N(12), N(5), C("0")}, "00012"},
      {"PADR", {Value::number(-1.5, 10, 2), N(7)}, "-1.50  "},
      {"PADC", {Value::number(123456, 10, 0), N(3)}, "123"},
      {"PADR", {Value::date(rt::Date::fromYmd(2024, 2, 29)), N(10)}, "29.02.24  "},
      {"PADL", {Value::date(rt::Date()), N(9), C("*")}, "*  .  .  "},
  });
}

TEST(StringFunctions, CaseMapsPolishLettersToo) {
  expectTexts({
      {"UPPER", {C("zażółć gęślą jaźń 1"_pl)}, "ZAŻÓŁĆ GĘŚLĄ JAŹŃ 1"_pl},
      {"UPPE", {C("ab")}, "AB"},
      {"LOWER", {C("ZAŻÓŁĆ GĘŚLĄ JAŹŃ 1"_pl)}, "zażółć gęślą jaźń 1"_pl},
  });
}

TEST(StringFunctions, BuildingAndReplacing) {
  expectTexts({
      {"SPACE", {N(3)}, "   "},
      {"SPACE", {N(-1)}, ""},
      {"REPLICATE", {C("ab"), N(3)}, "ababab"},
      {"REPL", {C("ab"), N(0)}, ""},
      {"STRTRAN", {C("aaaa"), C("aa"), C("b")}, "bb"},
      {"STRTRAN", {C("a-b-c"), C("-")}, "abc"},
      {"STRTRAN", {C("abc"), C(""), C("x")}, "abc"},
      {"STRTRAN", {C("x.x.x.x"), C("."), C(","), N(2)}, "x.x,x,x"},
      {"STRTRAN", {C("x.x.x.x"), C("."), C(","), N(2), N(1)}, "x.x,x.x"},
      {"STRTRAN", {C("x.x.x"), C("."), C(","), Value(), N(1)}, "x,x.x"},
      {"STRTRAN", {C("x.x"), C("."), C(","), N(1), N(0)}, "x.x"},
      {"CHR", {N(65)}, "A"},
      {"CHR", {N(256 + 66)}, "B"},
      {"CHR", {N(165)}, "\xA5"},
      {"VALTYPE", {C("")}, "C"},
      {"VALT", {Value::newArray()}, "A"},
      {"VALTYPE", {Value()}, "U"},
      {"DESCEND", {C("A\x01\x00"s)}, "\xBF\xFF\x00"s},
  });
}

TEST(StringFunctions, PositionsAndLengths) {
  rt::Runtime r;
  struct Case { const char* name; std::vector<Value> args; double expected; };
  const Case cases[] = {
      {"AT", {C("b"), C("abcb")}, 2},     {"RAT", {C("b"), C("abcb")}, 4},
      {"AT", {C(""), C("abc")}, 0},       {"RAT", {C(""), C("abc")}, 0},
      {"AT", {C("x"), C("abc")}, 0},      {"AT", {C("bc"), Value::memo("abc")}, 2},
      {"LEN", {C("ab\xA5")}, 3},          {"LEN", {Value::memo("")}, 0},
      {"LEN", {Value::newArray(4)}, 4},   {"ASC", {C("\xA5x")}, 165},
      {"ASC", {C("")}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Value v = call(r, c.name, c.args);
    ASSERT_TRUE(v.isNumber());
    EXPECT_EQ(v.num(), c.expected);
  }
}

TEST(StringFunctions, PredicatesLookAtTheFirstCharacter) {
  rt::Runtime r;
  struct Case { const char* name; Value arg; bool expected; };
  const Case cases[] = {
      {"ISDIGIT", C("7a"), true},     {"ISDIGIT", C("a7"), false},  {"ISDIGIT", C(""), false},
      {"ISALPHA", C("\x9D"), true},   {"ISALPHA", C("_a"), false},  {"ISALPHA", N(1), false},
      {"ISUPPER", C("\xBDx"), true},  {"ISUPPER", C("\xBE"), false},
      {"ISLOWER", C("\xBE"), true},   {"ISLOWER", C("A"), false},
      {"EMPTY", C(" \t\r\n"), true},  {"EMPT", C(" x"), false},     {"EMPTY", Value(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(call(r, c.name, {c.arg}).logical(), c.expected);
  }
}

TEST(StringFunctions, DescendReversesTheOrderOfEveryType) {
  rt::Runtime r;
  const Value n = call(r, "DESCEND", {Value::number(12.5, 5, 2)});
  EXPECT_EQ(n.num(), -12.5);
  EXPECT_EQ(n.numberParts().decimals, 2);
  EXPECT_EQ(call(r, "DESCEND", {Value::date(rt::Date::fromYmd(2000, 1, 1))}).num(), 5231808 - 2451545);
  EXPECT_TRUE(call(r, "DESCEND", {L(false)}).logical());
}

TEST(StringFunctions, WrongArgumentTypesRaiseAnArgumentErrorNamingTheFunction) {
  rt::Runtime r;
  struct Case { const char* name; std::vector<Value> args; };
  const Case cases[] = {
      {"SUBSTR", {N(1), N(1)}}, {"SUBSTR", {C("a"), C("1")}}, {"SUBSTR", {C("a"), N(1), C("2")}},
      {"LEFT", {C("a")}},       {"UPPER", {Value()}},         {"LEN", {N(5)}},
      {"PADR", {L(true), N(2)}}, {"STRTRAN", {C("a"), N(1)}}, {"REPLICATE", {C("a"), C("2")}},
      {"CHR", {C("A")}},        {"AT", {C("a"), N(1)}},       {"TRIM", {Value::newArray()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      call(r, c.name, c.args);
      ADD_FAILURE() << "no error";
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.error().genCode, rt::GenCode::Arg);
      EXPECT_EQ(e.error().subsystem, "BASE");
      EXPECT_EQ(e.error().operation, c.name);
    }
  }
  // The error handler may supply a value to go on with.
  r.setErrorHook([](rt::Runtime&, rt::Error&) { return std::optional<Value>(C("?")); });
  EXPECT_EQ(call(r, "UPPER", {N(1)}).text(), "?");
}

TEST(StringFunctions, HugeCountsRaiseStringOverflowInsteadOfExhaustingMemory) {
  rt::Runtime r;
  for (const auto& [name, args] : std::vector<std::pair<const char*, std::vector<Value>>>{
           {"SPACE", {N(1e12)}}, {"REPLICATE", {C("ab"), N(40000)}}, {"PADL", {C("a"), N(1e9)}}}) {
    SCOPED_TRACE(name);
    try {
      call(r, name, args);
      ADD_FAILURE() << "no error";
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.error().genCode, rt::GenCode::StrOverflow);
    }
  }
  EXPECT_EQ(call(r, "SPACE", {N(65535)}).text().size(), 65535u);
}

}  // namespace
