// src/master/tow_info.hpp — TOW_INFO, the goods information window of Alt+I.
//
// Opens over whatever screen is shown (rows 1 to 9, columns 1 to 78, put back afterwards)
// on the goods of the current record when the current table has INDEKS, else on a blank
// index, which is read in the goods-code picture with the goods lookup. With bar codes in
// use (character 32 of _WERSJA "K") a blank index may be replaced by a bar code: a code no
// goods carries says "Nieznany kod paskowy !" and closes the window. Esc, or neither an
// index nor a bar code, closes it too. The window shows name and description, VAT rate and
// unit, stock at head office and the representative's own, and the three list prices with
// their kinds, then waits for any key. Alt+K and Alt+I do nothing while it is open.
#pragma once

#include "ui/context.hpp"

namespace master {

// REQUIRES: c.workspace and c.tables are set.
void TOW_INFO(ui::Context& c);

}  // namespace master
