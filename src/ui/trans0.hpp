// src/ui/trans0.hpp — TRANS0: a number in a fixed count of digit positions with leading
// zeros (5 in 3 positions -> "005").
#pragma once

#include <string>

namespace ui {

// The number rounded to an integer in `width` positions, every leading blank turned into
// "0". A negative number keeps its minus sign in front ("-05"); a number that does not fit
// shows `width` asterisks; a width of 0 or less gives "".
std::string TRANS0(double value, int width);

}  // namespace ui
