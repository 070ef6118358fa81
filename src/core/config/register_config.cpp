// src/core/config/register_config.cpp — adapters from the runtime's calling convention to
// the configuration screens.
#include "core/config/register_config.hpp"

#include "core/config/config_form.hpp"
#include "core/config/ustaw.hpp"
#include "core/config/ustaw_druk.hpp"
#include "rt/runtime.hpp"

namespace core {

void registerConfig(rt::FunctionTable& fns, ui::Context& c) {
  fns.add("CONFIG", [&c](rt::Runtime&, rt::Args&) {
    CONFIG(c);
    return rt::Value();
  });
  fns.add("USTAW", [&c](rt::Runtime&, rt::Args&) { USTAW(c); return rt::Value(); });
  fns.add("USTAW_DRUK", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(USTAW_DRUK(c)); });
}

}  // namespace core
