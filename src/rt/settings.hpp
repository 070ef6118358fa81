// src/rt/settings.hpp — the runtime's SET values that change how expressions behave.
// The program sets the date layout "dd.mm.yy" and epoch 1950 at start-up; the defaults
// here are those program settings, so tests and tools see what the program sees.
#pragma once

#include <string>

namespace rt {

struct Settings {
  std::string dateFormat = "dd.mm.yy";  // letters d, m, y; yy = century off, yyyy = on
  int epoch = 1950;                     // two-digit years below epoch % 100 go to the next century
  bool exact = false;                   // SET EXACT: = and != compare whole strings
  int decimals = 2;                     // SET DECIMALS: decimals of /, %, ** results
  bool fixed = false;                   // SET FIXED
  bool softSeek = false;                // SET SOFTSEEK
  bool deleted = true;                  // SET DELETED: the program hides deleted records
  bool confirm = false;                 // SET CONFIRM
  bool escape = true;                   // SET ESCAPE
};

}  // namespace rt
