// src/core/config/grupa_ok.hpp — GRUPA_OK, the validator of group selections typed in
// report forms: "2,3-5", "7-", "-4", "" (all).
//
// Rules, on the text with every blank removed (the limit is 999 when the highest group
// number is above 99, else 99):
//   G1  anything but digits, "," and "-" makes the selection wrong;
//   G2  each part between commas, by its minus signs: "-" adds 1 up to the highest number;
//       "-N" adds 1 to N; "N-" adds N up to the highest number; "A-B" adds A to B; "N" adds
//       N. A number (N, B, or a plain number) above the limit, or a part with more than one
//       minus sign, makes the selection wrong;
//   G3  numbers already chosen are not added twice, except by the first two forms;
//   G4  a wrong selection sounds a 220 Hz tone, shows "Błędna selekcja !  Należy zostawić
//       puste pole lub wpisać grupy i przedziały" / "grup oddzielone przecinkami. Przykłady:
//       7  2,3-5  1,2,6. Maksym. grupa : " + the highest number in two digits, empties the
//       list and answers false. An empty text gives an empty list and true.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "ui/context.hpp"

namespace core {

// G1-G3 without the screen: the chosen numbers in the order the text gives them, or
// nullopt for a wrong selection.
std::optional<std::vector<int>> parseGroupSelection(std::string_view text, int highest);

// G4: the whole validator; `chosen` receives the list.
bool GRUPA_OK(ui::Context& c, std::string_view text, int highest, std::vector<int>& chosen);

}  // namespace core
