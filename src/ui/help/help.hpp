// src/ui/help/help.hpp — HELP: the context help of a topic from the help table "HELP"
// (program folder; BASE the topic key, OPIS the text, a memo), shown in the "SUFLER" window
// across the bottom of the screen; the F1 / Alt+F1 hot keys that call it.
// Not here: wrapping the text and scrolling it (ui/memo: memo_text.hpp, memo_view.hpp).
//
// Rules:
//   H1  while help runs, F1 and Alt+F1 are bound to nothing: help never nests.
//   H2  a missing "HELP.DBF" shows "Brak zbioru help.dbf" and nothing more; a topic the
//       table lacks (BASE compared after trimming trailing blanks) shows nothing at all.
//   H3  with n lines of text (wrapped at the window's 78 columns) the window spans rows 23-n
//       (0 when n >= 23) to 24 across the whole width; the text is shown, and keys read, only
//       when help was called by its hot key. A direct call draws the window and takes it
//       away again.
//   H4  afterwards the screen, colour, cursor, hot keys and the selected work area are as
//       they were; the help table is closed; a clock that ran before runs again at row 4,
//       column 70.
#pragma once

#include <string>
#include <string_view>

#include "con/key_bindings.hpp"
#include "ui/memo/memo_view.hpp"
#include "ui/context.hpp"

namespace ui {

enum class HelpCall { HotKey, Direct };

inline constexpr std::string_view kProgramHelpTopic = "PROG";
inline constexpr std::string_view kEditingHelpTopic = "CPEDIT";

// Nothing happens for an empty topic. REQUIRES: c.workspace is set.
void HELP(Context& c, std::string_view topic, HelpCall how = HelpCall::Direct);

// The key rule of the help text: Esc closes it; the arrows, PgUp / PgDn, Home / End and
// Ctrl+PgUp / Ctrl+PgDn scroll it; every other key, F1 included, does nothing.
ViewKey HELPHANDLER(int key);

// A hot-key handler that shows `topic` as F1 does.
con::HotKeyHandler helpHandler(Context& c, std::string topic);

// The start-up bindings: F1 shows topic "PROG", Alt+F1 topic "CPEDIT".
void bindHelpKeys(Context& c);

}  // namespace ui
