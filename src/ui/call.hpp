// src/ui/call.hpp — call: runs a routine of another subsystem by the name it is registered
// under in the runtime's function table. A call that goes sideways or up between the
// subsystems (a hot key, a menu command, a piece another subsystem provides) goes through
// here; a call down goes through the lower subsystem's header. A name not registered raises
// the runtime's "Undefined function" error, so a missing piece says what is missing:
//   const bool known = ui::call(c, "KON_OK", {rt::Value::character(nr)}).logical();
#pragma once

#include <string_view>
#include <vector>

#include "rt/runtime.hpp"
#include "ui/context.hpp"

namespace ui {

inline rt::Value call(Context& c, std::string_view name, std::vector<rt::Value> args = {}) {
  return c.rt.call(name, std::move(args));
}

}  // namespace ui
