// src/ui/ustaw_kolor.hpp — the colour editor of the three colour settings: _EKRA_BLO
// (screens, menus, dialogs), _EDIT_BLO (record lists and cards) and _SLOW_BLO (dictionary
// pick lists). Each is edited as four indexes into a fixed list of sixteen colour codes:
// text, background, highlighted text, highlighted background. "Z" saves every public
// "_????_blo" variable into the station's "ekran" file and the program folder's "dorvik"
// file; Esc leaves without saving. Either way the screen is put back as it was.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ui/context.hpp"

namespace ui {

// The sixteen codes, index 1..16 in this order.
inline constexpr std::array<std::string_view, 16> kColourCodes = {
    "N", "B", "R", "RB", "N+", "G", "GR", "B+", "BG", "R+", "RB+", "W", "G+", "BG+", "GR+", "W+"};

// The four indexes of a colour string: the entries of its first two slots, each code
// trimmed; 0 for a code not in the list.
ColourIndexes colourIndexes(std::string_view colourString);

enum class EditorStep { Continue, Save, Cancel };

// Applies one key to the editor's current section (arrows, Home/End, PgUp/PgDn, M, I, Tab,
// Z, Esc); other keys change nothing. Saving and leaving are left to the caller.
EditorStep ZMIEN(Context& c, int key);

// The editor screen: reads the indexes from the three strings, then works until "Z" or Esc.
void USTAW_KOLOR(Context& c);

}  // namespace ui
