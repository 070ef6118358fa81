// src/ui/register_checks.cpp — the field checks of form validations in the runtime's function
// table: REDEF, UNIK1, WE_SL, WY_SL.
#include <string>
#include <vector>

#include "rt/arguments.hpp"
#include "rt/runtime.hpp"
#include "ui/context.hpp"
#include "ui/redef.hpp"
#include "ui/register.hpp"
#include "ui/unik1.hpp"
#include "ui/we_sl.hpp"

namespace ui {

void registerTableChecks(rt::FunctionTable& fns, Context& c) {
  fns.add("REDEF", [&c](rt::Runtime&, rt::Args& a) { return rt::Value::logical(REDEF(c, a[0], a[1])); });
  fns.add("UNIK1", [&c](rt::Runtime&, rt::Args& a) {
    const int field = a[1].isNumber() ? rt::toInt(a[1].num()) : 1;
    return rt::Value::logical(UNIK1(c, a[0], field));
  });
  fns.add("WE_SL", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "WE_SL");
    std::vector<std::string> indexes;
    if (a[1].isText()) indexes.push_back(a[1].text());
    if (a[1].isArray())
      for (const rt::Value& v : *a[1].array())
        if (v.isText()) indexes.push_back(v.text());
    if (c.workspace == nullptr) return rt::Value::logical(false);
    return rt::Value::logical(WE_SL(c, a[0].text(), indexes));
  });
  fns.add("WY_SL", [&c](rt::Runtime&, rt::Args& a) { return WY_SL(c, a[0]); });
}

}  // namespace ui
