// src/ui/menu/menu.hpp — MENU: the program's menu tree, one level per call, on the cascading
// background of the menu screens. Start-up calls MENU(0); a submenu is an entry whose
// command calls MENU with the submenu's code.
//
// A level: its entries are read (menu_level.hpp), then shown until the user leaves:
//   M1  the title stack names the levels: MENU(0) pushes the program title _NAZWA_PRG (help
//       key "PROG") for as long as it runs, and every chosen entry pushes its trimmed text
//       and help key for as long as its command runs. The depth shown is the stack's size - 1.
//   M2  while the list is shown, F11 runs the change of operator (the routine ZMIANA_OPE,
//       when registered) and the Esc setting is off; F1 shows the help of the level (topic
//       "PROG" on the main menu, the entry's help key inside a submenu's command).
//   M3  an entry runs only when its priority <= _PRIORYTET, it is available, and its operator
//       list is empty, names _OPERATOR, or the operator is the service operator "(C)" with a
//       priority of 10 or more. Otherwise "Opcja niedostępna" (unavailable) or "Opcja
//       niedostępna dla operatora " + the operator's name is shown.
//   M4  a list names an operator only as a whole name (bounded by the list's ends or by
//       characters that cannot be part of a name), so "AN" is not named by "JAN,EWA".
//   M5  before a command runs, the title line's clock stops; the use of a priority-9 entry by
//       an operator below 10 is written to the activity log (the routine INFO_LOG, when
//       registered). A command naming a routine that is not registered runs RET2.
//   M6  after a command: F8 and key 532 are unbound, every table is closed, the title popped,
//       F1 bound back, and the level shown again with the entry highlighted.
//   M7  Esc on the main menu only moves the highlight to "KONIEC PRACY"; choosing that entry
//       clears the screen, closes every table, shows the cursor and returns. Esc on a deeper
//       level closes every table and returns to the level above.
#pragma once

#include "ui/context.hpp"

namespace ui {

// REQUIRES: c.workspace is set.
void MENU(Context& c, int level);

}  // namespace ui
