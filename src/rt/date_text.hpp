// src/rt/date_text.hpp — dates as text and text as dates under a date layout and epoch:
// DTOC, CTOD, and the Polish names of months and week days.
// A layout is a pattern of runs of the letters d, m and y (any case) and literal separators:
// "dd.mm.yy" (the program's), "mm/dd/yy", "yyyy-mm-dd" ... A run of four y's shows the
// century, two show the year within it.
// Rules:
//   D1  DTOC of the empty date is the layout with its letters blanked ("  .  .  ").
//   D2  CTOD reads the digit groups of the text in the layout's order of d, m and y; any run
//       of non-digits separates groups. An impossible or incomplete date is the empty date,
//       never an error.
//   D3  a year of one or two digits goes to the century of the epoch when it is at least
//       epoch mod 100, else to the next century (epoch 1950: 49 is 2049, 50 is 1950); a year
//       of three or four digits is taken as it is.
#pragma once

#include <string>
#include <string_view>

#include "rt/date.hpp"
#include "rt/settings.hpp"

namespace rt {

std::string dtoc(Date d, std::string_view layout);
std::string dtoc(Date d, const Settings& s);
Date ctod(std::string_view text, std::string_view layout, int epoch);
Date ctod(std::string_view text, const Settings& s);

// The year a one- or two-digit year stands for under `epoch`.
int expandYear(int twoDigitYear, int epoch);

// The day-and-month-first layout with the same year width as `layout` ("dd/mm/yy" or
// "dd/mm/yyyy"): dates shown under the picture function E.
std::string britishLayout(std::string_view layout);

// Names in CP852, capitalised: month 1..12, day of week 1 (Sunday) .. 7; "" out of range.
std::string monthName(int month);
std::string dayName(int dayOfWeek);

}  // namespace rt
