// src/ui/pasek.hpp — PASEK: the progress bar on row 24. The caller sets the public _TOTAL
// to the number of steps, calls PASEK() to start (the wait box opens and row 24 fills with
// the fill character), PASEK(s) at each step (every s-th step redraws the bar) and PASEK()
// to end (a full bar for half a second, then the wait box closes, row 24 is blanked and
// _TOTAL becomes 0). With _TOTAL 0 every step shows the full bar.
#pragma once

#include <optional>
#include <string_view>

#include "ui/context.hpp"

namespace ui {

inline constexpr unsigned char kProgressFill = 0xB0;  // ░
inline constexpr unsigned char kProgressBar = 0xB2;   // ▓

// Returns true, so that it can stand in the condition of a record loop. `fill` and `bar`
// give their first character; empty ones take the defaults.
bool PASEK(Context& c, std::optional<double> step = std::nullopt, std::string_view fill = {},
           std::string_view bar = {});

}  // namespace ui
