// src/ui/taknie.cpp — TAKNIE: a "T"/"N" flag shown as "TAK" or "nie".
#include "ui/taknie.hpp"

namespace ui {

std::string TAKNIE(std::string_view flag) { return !flag.empty() && flag[0] == 'T' ? "TAK" : "nie"; }

}  // namespace ui
