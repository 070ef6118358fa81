// src/ui/przygotuj_ekran.hpp — PRZYGOTUJ_EKRAN: the background every menu screen stands on.
// A shaded field ("░") under a header box (rows 0-2); row 4 holds the main window's top
// edge, the operator, the station, today's date and the running clock at column 70; each
// nested menu level opens a double-line window two rows lower and two columns further right
// than its parent, with a shadow; row 23 ends with the company name. The main menu screen
// (levels 0) also shows the logo and the message box of the main screen.
#pragma once

#include "ui/context.hpp"

namespace ui {

// `levels`: the menu nesting depth (0 the main menu); `rows`: the option rows of the
// innermost window. Drawn as one screen update.
void PRZYGOTUJ_EKRAN(Context& c, int levels, int rows);

}  // namespace ui
