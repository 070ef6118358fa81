// src/ui/menu/menu_level.hpp — one level of the menu tree as the engine holds it, read from
// the menu table "MENU": the entries with codes level*10 .. level*10+9, in code order.
// Not here: showing and choosing (menu.cpp, menu_list.cpp).
//
// Rules:
//   L1  at most nine entries per level. A table with more for one level is cut after the
//       ninth (the main menu after the eighth, since its ninth is the closing entry).
//   L2  while _STARY is set, only records whose BLOKADA is blank are seen.
//   L3  an entry is available when its WARUNEK (if the field exists and is not blank)
//       evaluates to .T. with the menu table selected, and its record's integrity stamp
//       verifies. A condition that does not compile, fails, or gives another type makes the
//       entry unavailable: the user then meets the refusal, and the menu keeps working.
//   L4  the table is opened read-only and closed again before the level is shown.
#pragma once

#include <string>
#include <vector>

#include "ui/context.hpp"

namespace ui {

struct MenuEntry {
  int code = 0;
  std::string text;       // as shown
  std::string command;    // trimmed; empty runs the error beep
  std::string helpKey;    // trimmed
  int priority = 0;       // the lowest operator priority allowed to run it
  bool available = true;
  std::string operators;  // trimmed; empty: every operator
};

inline constexpr std::size_t kMaxMenuEntries = 9;
inline constexpr std::string_view kClosingEntryText = "KONIEC PRACY";

// The entries of `level`; level 0 ends with the closing entry. An unreadable table gives a
// level without table entries.
// REQUIRES: c.workspace is set.
std::vector<MenuEntry> readMenuLevel(Context& c, int level);

// Opens the menu table read-only in the lowest free work area with the index of this run:
// _SC + "MENU.NTX" when it exists, else the program folder's "MENU.NTX"; without either the
// table stays in natural order. nullptr when the table cannot be opened.
db::WorkArea* openMenuTable(Context& c);

}  // namespace ui
