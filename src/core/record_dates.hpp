// src/core/record_dates.hpp — the date rules of record editors:
//   WE_DATA   the date of a CRM entry may be typed while the record has no DATA or no TYP yet;
//   WAR_DATA  a DATA more than 7 days back is let through with a warning naming the first
//             date that needs none (the day 8 days ago);
//   DATA_PROM a discount of UPUSTY applies today unless today is before its DATA_OD or after
//             its DATA_DO; an empty date is no bound.
#pragma once

#include "ui/context.hpp"

namespace core {

bool WE_DATA(ui::Context& c);
bool WAR_DATA(ui::Context& c);  // always true
bool DATA_PROM(ui::Context& c);

}  // namespace core
