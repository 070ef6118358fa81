// src/ui/menu/choice_bar.hpp — the choice among prompts placed on the screen, shared by
// HORIZMENU and VERTICMENU. Each prompt is drawn in the standard colour, the current one in
// the enhanced colour. Arrows move to the previous / next prompt, wrapping at both ends;
// Home and End go to the first and last; Enter chooses; Esc gives 0; a character chooses the
// first item whose first non-blank character it is (without case). The cursor is hidden
// while the choice runs and its shape comes back afterwards.
#pragma once

#include <string>
#include <vector>

#include "ui/context.hpp"

namespace ui {

struct Prompt {
  int row = 0, col = 0;
  std::string text;  // as drawn
  std::string item;  // the item it stands for (its first letter chooses it)
};

// The chosen prompt's number (1-based), 0 after Esc. `initial` out of range starts on the
// first. REQUIRES: !prompts.empty().
int choosePrompt(Context& c, const std::vector<Prompt>& prompts, int initial);

}  // namespace ui
