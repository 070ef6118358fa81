// src/ui/menu/ret2.hpp — RET2: the placeholder behind a menu entry whose operation is not
// available yet. Clears the screen and shows "Opcja w opracowaniu" until acknowledged.
#pragma once

#include "ui/context.hpp"

namespace ui {

void RET2(Context& c);

}  // namespace ui
