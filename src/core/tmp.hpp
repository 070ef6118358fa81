// src/core/tmp.hpp — TMP: a one-off repair of the fulfilled-order headers, offered until
// 28.05.2014 and inactive ("Funkcja nieaktywna") after it. It fills ILE_SKA of ZAM_N where
// it is still 0 although ILO_SKA and ILO_FAK are above 0: ILE_SKA = ILE_POZ * ILO_SKA /
// ILO_FAK, kept between 0 and ILE_POZ.
#pragma once

#include "rt/date.hpp"
#include "ui/context.hpp"

namespace core {

// The last day on which the repair runs.
rt::Date lastRepairDay();

// The repaired ILE_SKA for one record; `delivered` > 0.
double repairedCount(double lines, double counted, double delivered);

// REQUIRES: c.workspace and c.tables are set.
void TMP(ui::Context& c);

}  // namespace core
