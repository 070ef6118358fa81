// src/core/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed core routines. An argument of the wrong type raises the runtime's
// argument error naming the routine, as a built-in function does.
#include "core/register.hpp"

#include "core/dtoc2.hpp"
#include "core/rok.hpp"
#include "rt/runtime.hpp"

namespace core {
namespace {

rt::Value argumentError(rt::Runtime& rt, const char* routine) {
  rt::Error e;
  e.genCode = rt::GenCode::Arg;
  e.subCode = 1001;
  e.description = "Argument error";
  e.operation = routine;
  return rt.raise(std::move(e));
}

template <typename F>
rt::Function dateToText(const char* name, F f) {
  return [name, f](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isDate()) return argumentError(rt, name);
    return rt::Value::character(f(a[0].date()));
  };
}

}  // namespace

void registerCore(rt::FunctionTable& fns) {
  fns.add("ROK", dateToText("ROK", ROK));
  fns.add("DTOC2", dateToText("DTOC2", DTOC2));
}

}  // namespace core
