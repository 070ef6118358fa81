// src/ui/cursoron.hpp — the cursor shape follows the forms' insert mode: in insert mode the
// insert shape (2) or the large block (3), in overwrite mode the normal shape (1) or the
// large upper half (4).
#pragma once

#include "ui/context.hpp"

namespace ui {

enum class CursorSize { Normal, Large };

// Sets the shape for the current insert mode and `size`; returns the previous shape.
con::CursorShape CURSORON(Context& c, CursorSize size = CursorSize::Normal);

// The Insert key of forms: toggles the insert mode and turns 1 into 2 and 4 into 3 on
// entering it, 2 into 1 and 3 into 4 on leaving it. With the cursor hidden nothing changes.
void INSTOGGLE(Context& c);

}  // namespace ui
