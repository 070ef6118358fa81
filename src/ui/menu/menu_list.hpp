// src/ui/menu/menu_list.hpp — the highlighted list of a menu level and USERFUNC, its key rule.
// The list draws one item per row in the standard colour, the highlighted one in the
// enhanced colour, each padded to the list's width. Up from the first item goes to the last
// and Down from the last to the first; Home / PgUp and End / PgDn go to the first and last.
// Every other key goes to USERFUNC. Keys are read in a wait state, so hot keys (F1 help, F11
// change of operator) run while the list waits.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/context.hpp"

namespace ui {

// What the list does with a key; the numbers are those a list's key rule returns by name.
enum class ListAction { Leave = 0, Choose = 1, Continue = 2, NextMatching = 3 };

// The key rule of the menu list: Enter or a double click of the left mouse button chooses,
// Esc leaves, a printable character (32..254) moves to the next item beginning with it,
// anything else is ignored.
ListAction USERFUNC(int key);

struct ListPlace {
  int top = 0, left = 0, width = 0;
};

// The index of the chosen item, nullopt after Esc. `initial` out of range starts on the first.
// REQUIRES: !items.empty().
std::optional<int> chooseFromList(Context& c, const std::vector<std::string>& items, ListPlace place, int initial);

// The index of the next item after `from` (wrapping) whose first non-blank character is `key`,
// compared without case; `from` itself when none is.
int nextMatching(const std::vector<std::string>& items, int from, int key);

}  // namespace ui
