// src/ui/qk.hpp — QK: a notice that closes itself after some seconds or at any key.
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace ui {

// Shows the text padded in a box on the middle row; waits for a key or `seconds`
// (0: for a key only); then restores the screen, colour and cursor.
void QK(Context& c, std::string_view text, std::string_view colour = "N/W", double seconds = 2);

}  // namespace ui
