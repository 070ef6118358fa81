// src/ui/qpc.hpp — QPC: the wait box ("  Proszę czekać...  ") shown while the program works.
#pragma once

#include <optional>
#include <string_view>

#include "ui/context.hpp"

namespace ui {

enum class Switch { Off, On };

// On: saves the area of a box as wide as the text on the middle row, hides the cursor
// (remembering its shape), shows the text in "N/W" and returns. Off: puts the area and the
// cursor shape back if a box is open. The area closed is always the one opened, whatever
// text the closing call gives. `text` nullopt: the default text.
void QPC(Context& c, Switch on, std::optional<std::string_view> text = std::nullopt);

}  // namespace ui
