// src/ui/menu/horizmenu.hpp — HORIZMENU: a row of words to choose from. The label stands at
// the given row and column; the items follow side by side from one column after the label
// (at the column itself when the label is empty), each two columns after the end of the
// previous one. Keys as in choice_bar.hpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/context.hpp"

namespace ui {

// The chosen item's number (1-based), 0 after Esc or when there are no items.
int HORIZMENU(Context& c, int row, int col, std::string_view label, const std::vector<std::string>& items,
              int initial = 1);

}  // namespace ui
