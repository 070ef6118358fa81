// src/print/filebrowse.hpp — FILEBROWSE: a text file shown read-only in a window of the
// screen, lines of at most 275 characters (a longer one goes on in the next line).
//
// Keys: Esc leaves; Up and Down one line; PgUp and PgDn one window; Ctrl+PgUp and
// Ctrl+PgDn the first and last window; Left and Right one column; Home and End the first
// and last column; Tab and Shift+Tab ten columns right and left; Alt+F asks "Podaj szukany
// tekst:" and finds it (without regard to case) from the top line on, Alt+R finds the next
// one; when no further one is found " Razem liczba wystąpień: " + the number of lines holding
// it + " - Koniec szukania (naciśnij dowolny klawisz) " is shown. The line found is shown
// at the top of the window in the enhanced colour. The key wait is a wait state: bound hot
// keys run.
#pragma once

#include <string>

#include "con/screen.hpp"
#include "ui/context.hpp"

namespace print {

inline constexpr std::size_t kViewerLineLength = 275;

// False when the file cannot be read. REQUIRES: `window` lies on the screen.
bool FILEBROWSE(ui::Context& c, const std::string& file, con::Rect window);

}  // namespace print
