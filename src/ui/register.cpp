// src/ui/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed routines of the screen framework. An argument of the wrong type raises
// the runtime's argument error naming the routine, as a built-in function does.
#include "ui/register.hpp"

#include <algorithm>
#include <cmath>

#include "rt/runtime.hpp"
#include "ui/adjusttab.hpp"
#include "ui/czytajtab.hpp"
#include "ui/liczba.hpp"
#include "ui/taknie.hpp"
#include "ui/trans0.hpp"
#include "ui/zapisztab.hpp"

namespace ui {
namespace {

rt::Value argumentError(rt::Runtime& rt, const char* routine) {
  rt::Error e;
  e.genCode = rt::GenCode::Arg;
  e.description = "Argument error";
  e.operation = routine;
  e.canSubstitute = true;
  return rt.raise(std::move(e));
}

// A count argument: truncated toward zero and kept within what an int holds.
int toInt(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(std::trunc(v), -1e9, 1e9));
}

}  // namespace

void registerUi(rt::FunctionTable& fns) {
  fns.add("TAKNIE", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "TAKNIE");
    return rt::Value::character(TAKNIE(a[0].text()));
  });
  fns.add("LICZBA", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber()) return argumentError(rt, "LICZBA");
    return rt::Value::character(LICZBA(a[0].numberParts()));
  });
  fns.add("TRANS0", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber() || !a[1].isNumber()) return argumentError(rt, "TRANS0");
    return rt::Value::character(TRANS0(a[0].num(), toInt(a[1].num())));
  });
  fns.add("ADJUSTTAB", [](rt::Runtime&, rt::Args& a) { return rt::Value::character(ADJUSTTAB(a[0])); });
}

void registerUi(rt::FunctionTable& fns, sys::Env& env, const sys::PathResolver& paths) {
  registerUi(fns);
  fns.add("ZAPISZTAB", [&env, &paths](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "ZAPISZTAB");
    return rt::Value::logical(ZAPISZTAB(env, paths, a[0].text(), a[1]));
  });
  fns.add("CZYTAJTAB", [&env, &paths](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "CZYTAJTAB");
    return CZYTAJTAB(rt, env, paths, a[0].text());
  });
}

}  // namespace ui
