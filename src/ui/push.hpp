// src/ui/push.hpp — PUSH: appends an entry to the title stack. The menu engine pushes the
// title of each level it opens and pops it on leaving; entry k names the window of
// nesting level k and the background (PRZYGOTUJ_EKRAN) shows it.
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace ui {

void PUSH(Context& c, std::string_view title, rt::Value value = {});

}  // namespace ui
