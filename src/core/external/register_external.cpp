// src/core/external/register_external.cpp — adapters from the runtime's calling
// convention to ARCH, FOX and GRUPA_OK.
#include "core/external/register_external.hpp"

#include <memory>

#include "core/config/grupa_ok.hpp"
#include "rt/arguments.hpp"
#include "rt/runtime.hpp"

namespace core {

void registerExternal(rt::FunctionTable& fns, ui::Context& c, CommandRunner run) {
  auto runner = std::make_shared<CommandRunner>(std::move(run));
  fns.add("ARCH", [&c, runner](rt::Runtime&, rt::Args&) {
    ARCH(c, *runner);
    return rt::Value();
  });
  fns.add("FOX", [&c, runner](rt::Runtime&, rt::Args&) {
    FOX(c, *runner);
    return rt::Value();
  });
  // GRUPA_OK(text, highest, list): the list passed fills in place (arrays are shared), or,
  // passed by reference, receives a new one.
  fns.add("GRUPA_OK", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText() || !a[1].isNumber()) return rt::argumentError(rt, "GRUPA_OK");
    std::vector<int> chosen;
    const bool ok = GRUPA_OK(c, a[0].text(), static_cast<int>(a[1].num()), chosen);
    rt::Array items;
    for (int n : chosen) items.push_back(rt::Value::number(n));
    if (a.size() > 2 && a[2].isArray())
      *a[2].array() = std::move(items);
    else if (a.size() > 2)
      a.ref(2) = rt::Value::array(std::make_shared<rt::Array>(std::move(items)));
    return rt::Value::logical(ok);
  });
}

}  // namespace core
