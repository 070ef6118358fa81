#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "rt/runtime.hpp"

namespace {

using rt::Value;

Value C(std::string s) { return Value::character(std::move(s)); }
Value N(double v, int width = 10, int dec = 0) { return Value::number(v, width, dec); }
Value D(int y, int m, int d) { return Value::date(rt::Date::fromYmd(y, m, d)); }

Value call(rt::Runtime& r, std::string_view name, std::vector<Value> args) {
  if (!r.functions().contains(name)) throw std::runtime_error("no function " + std::string(name));
  return r.call(name, std::move(args));
}

// A runtime whose clock stands at Tuesday 5 March 2024, 14:07:09.257.
void fixClock(rt::Runtime& r) {
  r.setNow([] { return rt::LocalTime{rt::Date::fromYmd(2024, 3, 5), 14, 7, 9, 257}; });
}

// The text a result shows: character as it is, numbers as STR() with their own width,
// dates as DTOS().
std::string shown(const Value& v) {
  switch (v.type()) {
    case rt::Type::Character: return v.text();
    case rt::Type::Numeric: return rt::str(v.numberParts());
    case rt::Type::Date: return v.date().dtos();
    default: return "?";
  }
}

struct Case {
  const char* name;
  std::vector<Value> args;
  std::string shown;
};

void expectShown(const std::vector<Case>& cases) {
  rt::Runtime r;
  fixClock(r);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " -> \"" + c.shown + "\"");
    EXPECT_EQ(shown(call(r, c.name, c.args)), c.shown);
  }
}

}  // namespace

TEST(NumberFunctions, ResultsShowAsTheClassicRuntimeShowsThem) {
  expectShown({
      {"STR", {N(3.5, 10, 2)}, "         3.50"},
      {"STR", {N(-12.5, 10, 1), N(6), N(1)}, " -12.5"},
      {"STR", {N(2.5), N(3)}, "  3"},
      {"STR", {N(3.14159, 10, 5), Value(), N(2)}, "         3.14"},
      {"STRZERO", {N(-10), N(5)}, "-0010"},
      {"STRZERO", {N(1234), N(3)}, "***"},
      {"STRZERO", {N(42)}, "0000000042"},
      {"VAL", {C("1.50")}, "1.50"},
      {"VAL", {C("  12")}, "  12"},
      {"ROUND", {N(2.345, 10, 3), N(2)}, "         2.35"},
      {"ROUN", {N(1234.5678, 10, 4), N(-2)}, "      1200"},
      {"INT", {N(-3.75, 4, 2)}, "  -3"},
      {"ABS", {N(-2.5, 4, 1)}, "   2.5"},
      {"MIN", {N(3), N(2, 4, 0)}, "   2"},
      {"MAX", {N(3), N(2, 4, 0)}, "         3"},
      {"MAX", {D(2024, 1, 1), D(2023, 12, 31)}, "20240101"},
      {"MIN", {D(2024, 1, 1), Value::date(rt::Date())}, "        "},
      {"MOD", {N(-3), N(2)}, "         1.00"},
      {"MOD", {N(7), N(-3)}, "        -2.00"},
      {"MOD", {N(-7), N(-3)}, "        -1.00"},
      {"MOD", {N(7), N(3)}, "         1.00"},
      {"MOD", {N(5.5, 10, 1), N(2)}, "         1.50"},
      {"MOD", {N(5), N(0)}, "         5"},
      {"SQRT", {N(16)}, "         4.00"},
      {"SQRT", {N(-4)}, "         0.00"},
      {"LOG", {N(std::exp(1.0), 10, 6)}, "         1.00"},
      {"LOG", {N(0)}, "*************"},
      {"EXP", {N(0)}, "         1.00"},
      {"TRANSFORM", {N(1234.5, 10, 1), C("999,999.99")}, "  1,234.50"},
      {"TRAN", {C("abc"), C("@R !!!!")}, "ABC "},
      {"TRANSFORM", {D(2024, 3, 5), C("")}, "05.03.24"},
  });
}

TEST(DateFunctions, DatesUseTheProgramLayoutAndEpoch) {
  using namespace rt::literals;
  expectShown({
      {"CTOD", {C("1.1.49")}, "20490101"},
      {"CTOD", {C("31.12.50")}, "19501231"},
      {"CTOD", {C("31.02.16")}, "        "},
      {"DTOC", {D(1950, 12, 31)}, "31.12.50"},
      {"DTOC", {Value::date(rt::Date())}, "  .  .  "},
      {"DTOS", {Value::date(rt::Date())}, "        "},
      {"STOD", {C("20240229")}, "20240229"},
      {"STOD", {C("        ")}, "        "},
      {"DATE", {}, "20240305"},
      {"YEAR", {D(2024, 3, 5)}, " 2024"},
      {"MONTH", {D(2024, 3, 5)}, "  3"},
      {"MONT", {D(2024, 3, 5)}, "  3"},
      {"DAY", {D(2024, 3, 5)}, "  5"},
      {"DOW", {D(2024, 3, 5)}, "  3"},
      {"YEAR", {Value::date(rt::Date())}, "    0"},
      {"DOW", {Value::date(rt::Date())}, "  0"},
      {"CDOW", {D(2024, 3, 5)}, "Wtorek"},
      {"CMONTH", {D(2024, 3, 5)}, "Marzec"},
      {"CMON", {D(2024, 10, 1)}, "Październik"_pl},
      {"CMONTH", {Value::date(rt::Date())}, ""},
      {"TIME", {}, "14:07:09"},
      {"SECONDS", {}, "     50829.25"},
      {"SECO", {}, "     50829.25"},
  });
}

TEST(NumberFunctions, OnlyTheClassicNamesAbbreviate) {
  rt::Runtime r;
  for (const char* name : {"STRZ", "TRANSFORMX", "ROUNDX", "YEA", "DTO", "CTO"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(r.functions().contains(name));
  }
}

TEST(NumberFunctions, WrongArgumentTypesRaiseArgumentErrors) {
  struct ErrCase { const char* name; std::vector<Value> args; };
  const std::vector<ErrCase> cases = {
      {"STR", {C("1")}},           {"STR", {N(1), C("5")}},       {"STRZERO", {}},
      {"VAL", {N(1)}},             {"ROUND", {N(1)}},             {"INT", {C("1")}},
      {"ABS", {Value()}},          {"MIN", {N(1), D(2024, 1, 1)}}, {"MAX", {C("a"), C("b")}},
      {"MOD", {N(1), C("x")}},     {"SQRT", {C("4")}},            {"LOG", {}},
      {"EXP", {Value::logical(true)}},  {"TRANSFORM", {Value(), C("")}},
      {"TRANSFORM", {N(1), N(9)}}, {"CTOD", {N(1)}},              {"DTOC", {C("01.01.24")}},
      {"DTOS", {N(0)}},            {"STOD", {N(20240101)}},       {"YEAR", {C("x")}},
      {"MONTH", {}},               {"DAY", {N(1)}},               {"DOW", {N(1)}},
      {"CDOW", {N(1)}},            {"CMONTH", {N(1)}},
  };
  rt::Runtime r;
  rt::Error seen;
  r.setErrorHook([&](rt::Runtime&, rt::Error& e) -> std::optional<Value> {
    seen = e;
    return C("substitute");
  });
  for (const ErrCase& c : cases) {
    SCOPED_TRACE(c.name);
    seen = rt::Error();
    const Value v = call(r, c.name, c.args);
    EXPECT_EQ(seen.genCode, rt::GenCode::Arg);
    EXPECT_EQ(seen.subsystem, "BASE");
    EXPECT_EQ(seen.operation, c.name);
    EXPECT_EQ(shown(v), "substitute");
  }
  rt::Runtime plain;
  EXPECT_THROW(call(plain, "VAL", {N(1)}), rt::RuntimeError);
}
