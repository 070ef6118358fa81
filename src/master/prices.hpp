// src/master/prices.hpp — the prices of goods and of an order line: the net and gross price
// of the chosen price list (CENA_NET, CENA_BRU), the fixed price from the per-customer
// price table (CENA_TAB), and the conversions between a line's price and its margin
// (CENS_MAR, MAR_CENS). Order lines and the column descriptions of the screens call them.
//
// What they read:
//   * the goods record: the area open under the alias TOW, on its current record;
//   * the order line: the current area, with the fields NR_KON, INDEKS, CENA, CENA_ZAK,
//     CENA_SPR and MARZA (those each routine names);
//   * the price table: the area open under the alias UPUSTY, with the order on
//     NR_KON+GRUPA_TOW+INDEKS+DOSTAWCA among its indexes;
//   * memory variables: _CENNIK (the list chosen, "1".."3"), _CENY_1.._CENY_3 ("B" gross,
//     "N" net), _TYP_MAR ("2": margin on the selling price), _RABAT (the order's discount,
//     per cent) and the variant string _WERSJA: character 16 the pricing variant ("R" the
//     price table, "T" or "U" margins), character 36 "2" the discount as a divisor.
//
// Rules:
//   P1  VAT is the number in the goods' VAT text; "zw" (exempt) counts as 0.
//   P2  a list price converted between net and gross is rounded to 2 decimals by ZAOKR;
//       a list that is already of the kind asked for is returned as stored.
//   P3  a row of the price table counts only while it is valid today: not before its
//       DATA_OD and not after its DATA_DO, when they are filled (rows with neither are
//       always valid), as for every other use of the table's rows.
//   P4  the group part of the price table's key is as wide as the table's GRUPA_TOW field,
//       so the key always matches the rows as stored, whatever the variant string says
//       about older layouts of the table.
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace master {

// P1
double vatPercent(std::string_view vat);
// Character `position` (1-based) of _WERSJA, ' ' beyond its end.
char variantAt(const ui::Context& c, std::size_t position);

// The net / gross price of the TOW record in the list _CENNIK; 0 for any other _CENNIK.
double CENA_NET(ui::Context& c);
double CENA_BRU(ui::Context& c);

// The fixed price for the current order line: `known` when above 0; otherwise the line's
// contractor's row for its goods, else the all-contractors ("00000") row, when its CENA is
// above 0; else 0. Always 0 with a pricing variant other than "R" or "U".
double CENA_TAB(ui::Context& c, double known = 0);

// The margin of the current line from its price, after the order's discount (variants "T"
// and "U" only); a margin of 999 % or more in either direction is stored as 0. `redraw`:
// the list being edited is drawn again. Always true.
bool CENS_MAR(ui::Context& c, bool redraw = true);

// The line's price from its margin (variants "T" and "U"); with variant "R" the line is
// priced by the order pricing (BONA) instead. Always true.
bool MAR_CENS(ui::Context& c);

}  // namespace master
