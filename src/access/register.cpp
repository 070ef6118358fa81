// src/access/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed routines of operators and access. An argument of the wrong type raises
// the runtime's argument error naming the routine, as a built-in function does.
#include "access/register.hpp"

#include "access/esl_ope.hpp"
#include "access/ha.hpp"
#include "access/haslo_ope.hpp"
#include "access/nowy_ope.hpp"
#include "access/operator.hpp"
#include "access/operator_lookup.hpp"
#include "access/zmiana_hasla.hpp"
#include "access/stamp.hpp"
#include "access/uni.hpp"
#include "access/ustaw_dostep.hpp"
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
  fns.add("HA", [&c, &seams](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "HA");
    const bool silent = a[1].isLogical() && a[1].logical();
    const int level = a[2].isNumber() ? rt::toInt(a[2].num()) : 0;
    return rt::Value::logical(HA(c, seams, a[0].text(), silent, level));
  });
  fns.add("NOWY_OPE", [&c, &seams](rt::Runtime&, rt::Args&) { return rt::Value::logical(NOWY_OPE(c, seams)); });
  fns.add("ZMIANA_OPE", [&c, &seams](rt::Runtime&, rt::Args&) {
    ZMIANA_OPE(c, seams);
    return rt::Value();
  });
  fns.add("ZMIANA_HASLA", [&c, &seams](rt::Runtime&, rt::Args&) {
    ZMIANA_HASLA(c, seams);
    return rt::Value();
  });
  fns.add("UNIK_OPE", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(UNIK_OPE(c)); });
  fns.add("HASLO_OPE", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(HASLO_OPE(c)); });
  fns.add("UNI", [&c, &seams](rt::Runtime&, rt::Args&) {
    UNI(c, seams);
    return rt::Value();
  });
  fns.add("ESL_OPE", [&c](rt::Runtime&, rt::Args&) {
    ESL_OPE(c);
    return rt::Value();
  });
  fns.add("USTAW_DOSTEP", [&c, &seams](rt::Runtime&, rt::Args&) {
    USTAW_DOSTEP(c, seams);
    return rt::Value();
  });
  fns.add("V_OPE", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(V_OPE(c)); });
}

}  // namespace operators
