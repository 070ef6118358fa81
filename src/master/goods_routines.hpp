// src/master/goods_routines.hpp — the small goods routines that order lines, the package
// export and the column descriptions call: stock and pack of the goods of the current
// record (STAN_OG, OPAK), a bar code typed as goods index (PTOI), the three-price work
// table of a price choice (WE_SL_TO_R, WY_SL_TO_R) and the copy of a goods record into
// the package's goods table (DAJ_TOW_H).
//
// The goods table is the area open under the alias TOW with its four orders (index in key
// form, name, group, bar code); every look-up puts its order and record back. A goods
// index is always sought in its key form (S_I), so a picture that reshapes codes does not
// hide a goods item.
#pragma once

#include <string>

#include "ui/context.hpp"

namespace master {

// STAN and STAN_PH of the goods of the current record's INDEKS, each in the quantity
// picture _FORMAT_ILO, joined by "/"; zeros when the goods is not found.
std::string STAN_OG(ui::Context& c);

// The pack size of the goods of the current record's INDEKS; 0 when not found.
double OPAK(ui::Context& c);

// When the current line's trimmed INDEKS is longer than 6 characters, it is taken for a bar
// code: a goods item carrying that (non-zero) code gives the line its index, and the list
// being edited is drawn again. Always true.
bool PTOI(ui::Context& c);

// Makes the work table TO_R (CENNIK C1, CENA N9.2) in the station folder with the three
// list prices of the goods of the current record, each with its kind (_CENY_n), open
// exclusively under its own name; the area selected before is selected again.
void WE_SL_TO_R(ui::Context& c);
// Closes TO_R and deletes its file. Returns 0.
double WY_SL_TO_R(ui::Context& c);

// Copies the TOW record into the current record of TOW_H (INDEKS .. USLUGA but the stock
// fields).
void DAJ_TOW_H(ui::Context& c);

// A pack size as the goods lists show it: 7 columns with one decimal, blank for 0.
std::string TRANS_OP(double pack);

// The goods index in key form (S_I, the goods-code picture).
std::string keyForm(ui::Context& c, const std::string& index);

}  // namespace master
