// src/ui/menu/verticmenu.hpp — VERTICMENU: a list of items to choose from in a box in the
// middle of the screen, in the colours "N/W,W/N". With n items, w is the largest of the
// title's length + 2 and each item's length + 2, and left = floor((79 - w) / 2):
//   rows 10 .. 12+n, columns left-1 .. left+w   the double-line frame, its inside blank
//   row 11, column left                          a blank and the title
//   row 11+i, column left                        two blanks and item i (1-based)
// The screen under the box, the colour and the cursor are restored afterwards. Keys as in
// choice_bar.hpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/context.hpp"

namespace ui {

// The chosen item's number (1-based), 0 after Esc or when there are no items.
int VERTICMENU(Context& c, std::string_view title, const std::vector<std::string>& items, int initial = 1);

}  // namespace ui
