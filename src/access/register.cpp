// src/access/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed routines of operators and access. An argument of the wrong type raises
// the runtime's argument error naming the routine, as a built-in function does.
#include "access/register.hpp"

#include "access/operator.hpp"
#include "access/stamp.hpp"
#include "rt/arguments.hpp"
#include "rt/runtime.hpp"
#include "ui/context.hpp"

namespace operators {

void registerAccess(rt::FunctionTable& fns, ui::Context& c, const AccessSeams& seams) {
  fns.add("SZYFR", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber()) return rt::argumentError(rt, "SZYFR");
    return rt::Value::logical(SZYFR(c, rt::toInt(a[0].num())));
  });
  fns.add("OPERATOR", [&c, &seams](rt::Runtime&, rt::Args&) { return rt::Value::logical(OPERATOR(c, seams)); });
  fns.add("DAJOPE", [&c](rt::Runtime&, rt::Args&) {
    DAJOPE(c);
    return rt::Value();
  });
}

}  // namespace operators
