// src/ui/open_box.hpp — opening and closing the boxes that stay open between calls (the
// waiting box QESC and the wait box QPC): the covered area is saved on opening and put
// back on closing. Opening over a box of the same kind that is still open first closes
// it, so the area saved is always the screen without any box and nothing stale remains.
#pragma once

#include "ui/context.hpp"

namespace ui {

void openBox(con::Console& con, OpenBox& box, con::Rect area);
// Puts the saved area back and forgets it; does nothing when no box is open.
void closeBox(con::Console& con, OpenBox& box);

}  // namespace ui
