// src/rt/number_functions.cpp — the built-in functions on numbers: STR, STRZERO, VAL, ROUND,
// INT, ABS, MIN, MAX, MOD, SQRT, LOG, EXP and TRANSFORM.
// Rules the functions share:
//   F1  a wrong argument type raises "Argument error" naming the function; the error
//       handler's substitute value becomes the result.
//   F2  results carry the width and decimals the classic runtime gives them (number_text.hpp);
//       MOD, SQRT, LOG and EXP have SET DECIMALS decimals, as division does.
//   F3  MIN and MAX compare two numbers or two dates and return the chosen argument as it is.
#include <cmath>

#include "rt/arguments.hpp"
#include "rt/number_text.hpp"
#include "rt/runtime.hpp"
#include "rt/transform.hpp"

namespace rt {
namespace {


bool isOptionalNumber(const Value& v) { return v.isNil() || v.isNumber(); }
int count(const Value& v) { return static_cast<int>(toCount(v.num())); }

// STR(n) / STR(n, len) / STR(n, len, dec); a missing len with a given dec keeps the
// number's integer width.
std::string strOf(const Args& a) {
  const Number& n = a[0].numberParts();
  if (a[1].isNil() && a[2].isNil()) return str(n);
  const int dec = a[2].isNil() ? 0 : count(a[2]);
  if (a[1].isNil()) return str(n.value, n.width + (dec > 0 ? dec + 1 : 0), dec);
  return str(n.value, count(a[1]), dec);
}

bool strArgsOk(const Args& a) { return a[0].isNumber() && isOptionalNumber(a[1]) && isOptionalNumber(a[2]); }

Value STR(Runtime& rt, Args& a) {
  if (!strArgsOk(a)) return argumentError(rt, "STR", 1099);
  return Value::character(strOf(a));
}

Value STRZERO(Runtime& rt, Args& a) {
  if (!strArgsOk(a)) return argumentError(rt, "STRZERO");
  return Value::character(zeroFilled(strOf(a)));
}

Value VAL(Runtime& rt, Args& a) {
  if (!a[0].isText()) return argumentError(rt, "VAL", 1098);
  return Value::number(val(a[0].text()));
}

Value ROUND(Runtime& rt, Args& a) {
  if (!a[0].isNumber() || !a[1].isNumber()) return argumentError(rt, "ROUND", 1094);
  return Value::number(roundNumber(a[0].num(), count(a[1])));
}

Value INT(Runtime& rt, Args& a) {
  if (!a[0].isNumber()) return argumentError(rt, "INT", 1090);
  return Value::number(intNumber(a[0].numberParts()));
}

Value ABS(Runtime& rt, Args& a) {
  if (!a[0].isNumber()) return argumentError(rt, "ABS", 1089);
  Number n = a[0].numberParts();
  n.value = std::fabs(n.value);
  return Value::number(n);
}

enum class Pick { Smaller, Larger };

Value pickOf(Runtime& rt, const Args& a, std::string_view op, int subCode, Pick pick) {
  bool secondWins = false;
  if (a[0].isNumber() && a[1].isNumber()) {
    secondWins = pick == Pick::Smaller ? a[1].num() < a[0].num() : a[1].num() > a[0].num();
  } else if (a[0].isDate() && a[1].isDate()) {
    secondWins = pick == Pick::Smaller ? a[1].date() < a[0].date() : a[1].date() > a[0].date();
  } else {
    return argumentError(rt, op, subCode);
  }
  return secondWins ? a[1] : a[0];
}

Value real(const Runtime& rt, double v) { return Value::number(v, kDefaultWidth, rt.settings().decimals); }

// The remainder with the sign of the divisor (MOD(-3, 2) is 1, MOD(7, -3) is -2), unlike the
// % operator; a zero divisor gives the dividend.
Value MOD(Runtime& rt, Args& a) {
  if (!a[0].isNumber() || !a[1].isNumber()) return argumentError(rt, "MOD");
  const double x = a[0].num(), y = a[1].num();
  if (y == 0) return a[0];
  double r = std::fmod(x, y);
  if (r != 0 && (r < 0) != (y < 0)) r += y;
  return real(rt, r);
}

// The square root of a negative number is 0.
Value SQRT(Runtime& rt, Args& a) {
  if (!a[0].isNumber()) return argumentError(rt, "SQRT", 1097);
  return real(rt, a[0].num() > 0 ? std::sqrt(a[0].num()) : 0.0);
}

// The logarithm of zero or of a negative number is minus infinity, which prints as asterisks.
Value LOG(Runtime& rt, Args& a) {
  if (!a[0].isNumber()) return argumentError(rt, "LOG", 1095);
  const double x = a[0].num();
  return real(rt, x > 0 ? std::log(x) : -HUGE_VAL);
}

Value EXP(Runtime& rt, Args& a) {
  if (!a[0].isNumber()) return argumentError(rt, "EXP", 1096);
  return real(rt, std::exp(a[0].num()));
}

Value TRANSFORM(Runtime& rt, Args& a) {
  if (!a[1].isText()) return argumentError(rt, "TRANSFORM", 1122);
  auto text = transform(a[0], a[1].text(), rt.settings());
  if (!text) return argumentError(rt, "TRANSFORM", 1122);
  return Value::character(std::move(*text));
}

}  // namespace

void registerNumberFunctions(FunctionTable& t) {
  constexpr Abbrev kAbbrev = Abbrev::FourLetters;
  t.add("STR", STR);
  t.add("STRZERO", STRZERO);
  t.add("VAL", VAL);
  t.add("ROUND", ROUND, kAbbrev);
  t.add("INT", INT);
  t.add("ABS", ABS);
  t.add("MIN", [](Runtime& rt, Args& a) { return pickOf(rt, a, "MIN", 1092, Pick::Smaller); });
  t.add("MAX", [](Runtime& rt, Args& a) { return pickOf(rt, a, "MAX", 1093, Pick::Larger); });
  t.add("MOD", MOD);
  t.add("SQRT", SQRT);
  t.add("LOG", LOG);
  t.add("EXP", EXP);
  t.add("TRANSFORM", TRANSFORM, kAbbrev);
}

}  // namespace rt
