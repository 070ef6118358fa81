// src/ui/memo/memo_edit.hpp — edits memo text in a window given by the caller. The text is
// word-wrapped at the window width as it is typed (memo_text.hpp) and drawn in the standard
// colour; the frame and the key labels around the window belong to the caller.
//
// Keys:
//   arrows             a character / a line; Up and Down keep the column they started from
//   Home, End          start / end of the line on the screen
//   Ctrl+Left/Right    previous / next word
//   Ctrl+Home          first line of the window
//   PgUp, PgDn         a window up / down
//   Ctrl+PgUp/PgDn     start / end of the text
//   Backspace, Del     the character before / under the cursor; at a line end they join lines
//   Ctrl+T             the rest of the word and the blanks after it
//   Ctrl+Y             the line on the screen (an emptied line goes too)
//   Tab                blanks up to the next multiple of four columns
//   Enter              insert mode: splits the line; overwrite mode: the start of the next line
//                      (a new line after the last one)
//   Ins                the insert mode of the forms (INSTOGGLE), with its cursor shapes
//   Ctrl+W             ends and gives the text back
//   Esc                ends and drops the changes; after changes it asks first, and "N" goes
//                      back to editing
// Typed characters (codes 32..255 but 127) are inserted or overwrite, by the insert mode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "con/screen.hpp"
#include "ui/context.hpp"

namespace ui {

// Edits `stored` (CR LF hard line ends, 0x8D LF soft ones) inside `window`. Ctrl+W gives the
// new text with CR LF line ends, or `stored` itself, byte for byte, when nothing changed;
// Esc gives nullopt. The cursor shape is put back on return.
// REQUIRES: `window` lies on the screen and is not empty.
std::optional<std::string> editMemo(Context& c, std::string_view stored, con::Rect window);

}  // namespace ui
