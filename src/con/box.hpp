// src/con/box.hpp — frames drawn from frame strings.
//
// A frame string gives, by position: 1 top-left, 2 top side, 3 top-right, 4 right side,
// 5 bottom-right, 6 bottom side, 7 bottom-left, 8 left side, 9 the fill (optional). With
// eight characters the inside is left as it is; with nine it is filled. A shorter string
// repeats its last character up to the eighth position; an empty one blanks the whole
// rectangle. A box one row high is a line of character 2, one column wide a line of
// character 4.
#pragma once

#include <string_view>

#include "con/screen.hpp"

namespace con {

inline constexpr std::string_view kSingleFrame = "\xDA\xC4\xBF\xB3\xD9\xC4\xC0\xB3";  // ┌─┐│┘─└│
inline constexpr std::string_view kDoubleFrame = "\xC9\xCD\xBB\xBA\xBC\xCD\xC8\xBA";  // ╔═╗║╝═╚║

void drawBox(Screen& screen, Rect box, std::string_view frame, Attr attr);

}  // namespace con
