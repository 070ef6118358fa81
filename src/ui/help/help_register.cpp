// src/ui/help/help_register.cpp — the adapter of HELP.
#include "ui/help/help_register.hpp"

#include "rt/runtime.hpp"
#include "ui/help/help.hpp"

namespace ui {

void registerHelp(rt::FunctionTable& fns, Context& c) {
  fns.add("HELP", [&c](rt::Runtime&, rt::Args& a) {
    if (a[0].isText()) HELP(c, a[0].text(), HelpCall::Direct);
    return rt::Value();
  });
}

}  // namespace ui
