// src/ui/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed routines of the screen framework. An argument of the wrong type raises
// the runtime's argument error naming the routine, as a built-in function does.
#include "ui/register.hpp"

#include "rt/runtime.hpp"
#include "ui/taknie.hpp"

namespace ui {
namespace {

rt::Value argumentError(rt::Runtime& rt, const char* routine) {
  rt::Error e;
  e.genCode = rt::GenCode::Arg;
  e.subCode = 1001;
  e.description = "Argument error";
  e.operation = routine;
  return rt.raise(std::move(e));
}

}  // namespace

void registerUi(rt::FunctionTable& fns) {
  fns.add("TAKNIE", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "TAKNIE");
    return rt::Value::character(TAKNIE(a[0].text()));
  });
}

}  // namespace ui
