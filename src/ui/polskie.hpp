// src/ui/polskie.hpp — the Polish-letter keyboard: while it is on, Alt+A, C, E, L, N, O,
// S, Z and X type ą ć ę ł ń ó ś ż ź (upper case with Shift, the other case with Caps Lock),
// and the Alt+C break is off so that Alt+C can type "ć".
#pragma once

#include <optional>

#include "ui/context.hpp"

namespace ui {

// Switches the mode on or off (nullopt: leaves it); returns the state it had.
bool POLSKIE(Context& c, std::optional<bool> on = std::nullopt);

// The handler of the nine Alt keys: puts the letter of the last key into the keyboard
// buffer. Shift gives the upper case unless Caps Lock is on; Caps Lock alone gives it too.
void POLKEY(Context& c);

}  // namespace ui
