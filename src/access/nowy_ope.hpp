// src/access/nowy_ope.hpp — the change of operator: NOWY_OPE (the idle clock, then the
// login) and ZMIANA_OPE, the F11 action of the menu.
//
//   N1  NOWY_OPE stops the title-line clock, hides the cursor and, until the last key is
//       Esc, Enter or Space, clears the screen and shows the time "hh:mm" at a random place
//       (rows 2..18, columns 0..59), waiting up to five seconds for a key; then it clears
//       the screen and runs the login. On success the screen is put back.
//   N2  ZMIANA_OPE sounds 440 Hz and does nothing more while the operators table is open
//       (its dictionary is being edited). A failed login sounds 220 Hz, releases the
//       station's flag file and breaks the work off back to start-up. A successful one
//       sounds 880 Hz, shows "Nowy operator : " + name + " !", puts four Esc keys in the
//       keyboard buffer (the menus go back to the main menu) and runs DAJOPE.
#pragma once

#include "access/access_seams.hpp"
#include "ui/context.hpp"

namespace operators {

bool NOWY_OPE(ui::Context& c, const AccessSeams& seams);
void ZMIANA_OPE(ui::Context& c, const AccessSeams& seams);

}  // namespace operators
