// src/core/nr_dom.hpp — NR_DOM: the next order number for an account in the year of a date.
//
// The counter table NR_ZAM (program folder) holds one row per account and year: KONTO C5,
// ROK_ZAM C4, NR_ZAM N4 (the last number given), ordered by index NR_ZAM on
// "ROK_ZAM+KONTO". The table is opened exclusively, waiting without cancel, so two stations
// can never take the same number; a missing pair starts at 0, so numbers restart at "0001"
// for each account in each year. An index file that is missing is built on the spot (the
// table is held exclusively, nobody else can be using it).
#pragma once

#include <string>
#include <string_view>

#include "rt/date.hpp"
#include "ui/context.hpp"

namespace core {

// The new number as four digits with leading zeros ("0001"). The area selected before is
// selected again. REQUIRES: c.workspace and c.tables are set.
std::string NR_DOM(ui::Context& c, std::string_view account, rt::Date date);

}  // namespace core
