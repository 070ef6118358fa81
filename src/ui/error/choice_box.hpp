// src/ui/error/choice_box.hpp — a box of message lines over a row of choices, for the error
// handler. Drawn like every modal box (double frame, "N/W", the screen put back on close),
// centred on the screen: the lines, a blank row, then the choices, each shown as " text "
// two columns apart, the highlighted one in "W+/N". Left/Right (and Tab/Shift+Tab) move the
// highlight, wrapping around; Enter takes it; the first letter of a choice takes that
// choice; Esc closes the box without a choice. Lines wider than the screen allows are cut
// into pieces of the widest width that fits.
#pragma once

#include <string>
#include <vector>

#include "ui/context.hpp"

namespace ui {

// 1..choices.size() for the choice taken, 0 for Esc. REQUIRES: at least one choice;
// at most 18 lines after cutting (more are not shown).
int choiceBox(Context& c, const std::vector<std::string>& lines, const std::vector<std::string>& choices);

}  // namespace ui
