// src/rt/date_functions.cpp — the built-in functions on dates and the clock: CTOD, DTOC, DTOS,
// STOD, DATE, YEAR, MONTH, DAY, DOW, CDOW, CMONTH, TIME and SECONDS.
// Rules the functions share:
//   T1  a wrong argument type raises "Argument error" naming the function.
//   T2  the parts of the empty date are 0 and its names ""; nothing about it is an error.
//   T3  "today" and "now" come from the runtime (Runtime::now), never from the system clock.
#include <cstdio>

#include "rt/date_text.hpp"
#include "rt/arguments.hpp"
#include "rt/runtime.hpp"

namespace rt {
namespace {


Value CTOD(Runtime& rt, Args& a) {
  if (!a[0].isText()) return argumentError(rt, "CTOD", 1119);
  return Value::date(ctod(a[0].text(), rt.settings()));
}

Value DTOC(Runtime& rt, Args& a) {
  if (!a[0].isDate()) return argumentError(rt, "DTOC", 1118);
  return Value::character(dtoc(a[0].date(), rt.settings()));
}

Value DTOS(Runtime& rt, Args& a) {
  if (!a[0].isDate()) return argumentError(rt, "DTOS", 1120);
  return Value::character(a[0].date().dtos());
}

Value STOD(Runtime& rt, Args& a) {
  if (!a[0].isNil() && !a[0].isText()) return argumentError(rt, "STOD");
  return Value::date(a[0].isNil() ? Date() : Date::fromDtos(a[0].text()));
}

Value DATE(Runtime& rt, Args&) { return Value::date(rt.now().date); }

enum class Part { Year, Month, Day, Week };

// YEAR, MONTH, DAY and DOW with the widths the classic runtime gives them.
Value partOf(Runtime& rt, const Args& a, std::string_view op, int subCode, Part part) {
  if (!a[0].isDate()) return argumentError(rt, op, subCode);
  const Date d = a[0].date();
  const Ymd v = d.ymd();
  switch (part) {
    case Part::Year: return Value::number(v.year, 5, 0);
    case Part::Month: return Value::number(v.month, 3, 0);
    case Part::Day: return Value::number(v.day, 3, 0);
    case Part::Week: return Value::number(d.dayOfWeek(), 3, 0);
  }
  return Value();
}

Value CDOW(Runtime& rt, Args& a) {
  if (!a[0].isDate()) return argumentError(rt, "CDOW", 1116);
  return Value::character(dayName(a[0].date().dayOfWeek()));
}

Value CMONTH(Runtime& rt, Args& a) {
  if (!a[0].isDate()) return argumentError(rt, "CMONTH", 1117);
  return Value::character(monthName(a[0].date().ymd().month));
}

// "hh:mm:ss", 24-hour clock.
Value TIME(Runtime& rt, Args&) {
  const LocalTime t = rt.now();
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
  return Value::character(buf);
}

// Seconds since midnight, to the hundredth.
Value SECONDS(Runtime& rt, Args&) {
  const LocalTime t = rt.now();
  const double s = t.hour * 3600 + t.minute * 60 + t.second + (t.millisecond / 10) / 100.0;
  return Value::number(s, kDefaultWidth, 2);
}

}  // namespace

void registerDateFunctions(FunctionTable& t) {
  constexpr Abbrev kAbbrev = Abbrev::FourLetters;
  t.add("CTOD", CTOD);
  t.add("DTOC", DTOC);
  t.add("DTOS", DTOS);
  t.add("STOD", STOD);
  t.add("DATE", DATE);
  t.add("YEAR", [](Runtime& rt, Args& a) { return partOf(rt, a, "YEAR", 1112, Part::Year); });
  t.add("MONTH", [](Runtime& rt, Args& a) { return partOf(rt, a, "MONTH", 1113, Part::Month); }, kAbbrev);
  t.add("DAY", [](Runtime& rt, Args& a) { return partOf(rt, a, "DAY", 1114, Part::Day); });
  t.add("DOW", [](Runtime& rt, Args& a) { return partOf(rt, a, "DOW", 1115, Part::Week); });
  t.add("CDOW", CDOW);
  t.add("CMONTH", CMONTH, kAbbrev);
  t.add("TIME", TIME);
  t.add("SECONDS", SECONDS, kAbbrev);
}

}  // namespace rt
