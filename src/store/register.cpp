// src/store/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed routines of the data store. An argument of the wrong type raises the
// runtime's argument error naming the routine, as a built-in function does.
#include "store/register.hpp"

#include <algorithm>
#include <cmath>

#include "rt/runtime.hpp"
#include "store/zaokr.hpp"

namespace store {
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

void registerStore(rt::FunctionTable& fns) {
  fns.add("ZAOKR", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber() || !a[1].isNumber()) return argumentError(rt, "ZAOKR");
    return rt::Value::number(ZAOKR(a[0].num(), toInt(a[1].num())));
  });
}

}  // namespace store
