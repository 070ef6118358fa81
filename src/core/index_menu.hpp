// src/core/index_menu.hpp — INDEX_MENU: the menu index of this run. The menu table MENU
// (program folder) is opened exclusively, waiting without cancel, and indexed on "OPCJA"
// over only the entries this run may offer:
//   PRIORYTET<=_priorytet                       the operator's level reaches the entry's;
//   (empty(UWAGI).OR.wer$UWAGI)                 the entry belongs to the variant word `wer`;
//   if(MIEJSCE="C",val(_konto_ph)=0,.T.)        "C" entries only at head office (account 0);
//   if(MIEJSCE="P",val(_konto_ph)>0,.T.)        "P" entries only at a representative's.
// The index file is `sc` + "MENU" when the station folder `scl` exists, else "MENU" in the
// program folder; the menu engine takes whichever is there. Because the filter is applied
// here, a change of operator later in the run keeps the first operator's menu (the engine
// still checks the level when an entry is chosen); the file is deleted at an orderly exit.
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace core {

// The filter above with `wer` written in as a literal.
std::string menuFilter(std::string_view wer);

// REQUIRES: c.workspace and c.tables are set. The area selected before is selected again.
void INDEX_MENU(ui::Context& c, std::string_view wer, std::string_view sc, std::string_view scl);

}  // namespace core
