// src/core/kolory.hpp — the row colour choosers of the browsers: each looks at the current
// record and gives the browser the pair {colour number, 2}, 1 being the normal colour.
// The first rule that matches wins; a rule on a field the table lacks never matches.
//   KOLORY     12 STAN_PH > 0; 9 STAN = 0; 10 WN_ODB - MA_ODB > 0; 10 USLUGA "+"; 11 USLUGA "!"
//   KOLORY_WN  9 WN > 0 with DATA_PLA before today; 12 WN < 0
//   KOLORY_E   11 ETAP with a value above 0 (a numbered stage); 9 ETAP "M"; 12 ETAP "G"
//   KOLORY_E2  KOLORY_E on the record of the work area EWIZAM
//   KOLORY_B   9 ILO_ZAM differs from ILO_FAK
// Text comparisons are prefix comparisons, as "=" compares texts in stored expressions.
#pragma once

#include "rt/value.hpp"
#include "ui/context.hpp"

namespace core {

int rowColour(ui::Context& c);            // KOLORY's number
int rowColourByBalance(ui::Context& c);   // KOLORY_WN's
int rowColourByStage(ui::Context& c);     // KOLORY_E's
int rowColourByOrderStage(ui::Context& c);  // KOLORY_E2's
int rowColourByDelivery(ui::Context& c);  // KOLORY_B's

// {n, 2}: the value the browser's colour callback gives.
rt::Value colourPair(int n);

}  // namespace core
