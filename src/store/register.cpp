// src/store/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed routines of the data store. An argument of the wrong type raises the
// runtime's argument error naming the routine, as a built-in function does.
#include "store/register.hpp"

#include <algorithm>
#include <cmath>

#include "rt/arguments.hpp"
#include "rt/runtime.hpp"
#include "store/zaokr.hpp"

namespace store {
namespace {

using rt::argumentError;
using rt::toInt;

}  // namespace

void registerStore(rt::FunctionTable& fns) {
  fns.add("ZAOKR", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber() || !a[1].isNumber()) return argumentError(rt, "ZAOKR");
    return rt::Value::number(ZAOKR(a[0].num(), toInt(a[1].num())));
  });
}

}  // namespace store
