// src/ui/form/readers.cpp — the form routines by name.
#include "ui/form/readers.hpp"

#include "rt/text.hpp"
#include "ui/form/cpgetreader.hpp"
#include "ui/form/getpassword.hpp"
#include "ui/form/sz.hpp"

namespace ui {

Reader readerNamed(std::string_view name) {
  if (rt::equalsNoCase(name, "CPGETREADER")) return CPGETREADER;
  if (rt::equalsNoCase(name, "GETPASSWORD")) return GETPASSWORD;
  return {};
}

void registerForms(rt::FunctionTable& fns, Context& c) {
  fns.add("SZ", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(SZ(c)); });
  fns.add("SP", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(SP(c)); });
  fns.add("REDISPLAY", [&c](rt::Runtime&, rt::Args&) {
    if (c.form) REDISPLAY(c, c.form->gets);
    return rt::Value::logical(true);
  });
}

}  // namespace ui
