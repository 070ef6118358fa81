// src/ui/taknie.hpp — TAKNIE: a "T"/"N" flag shown as "TAK" or "nie".
#pragma once

#include <string>
#include <string_view>

namespace ui {

// "TAK" when the flag is "T", otherwise "nie". Only the first character counts, as with
// the runtime's non-exact comparison flag = "T"; a blank or empty flag is "nie".
std::string TAKNIE(std::string_view flag);

}  // namespace ui
