// src/con/colour.hpp — colour strings and the attribute bytes they stand for, and the
// console's current colour setting (its slots).
//
// A colour string is a comma-separated list of entries "fore/back". Colour letters add up
// (N 0, B 1, G 2, R 4; BG 3, RB 5, GR 6, W 7), digits 0..15 are colour numbers, "+" makes
// the foreground bright (bit 3) and "*" sets bit 7 (a bright background here; nothing
// blinks). Both marks act the same on either side of "/". Blanks are ignored; "I" is
// N/W, "X" black on black, "U" the monochrome underline (attribute 0x01).
//   attribute = fore (bits 0-2) | bright (bit 3) | back << 4 (bits 4-6) | bit 7
//
// Slots, 1-based: 1 standard (text, boxes, clearing), 2 enhanced (active field, highlighted
// item), 3 border, 4 background, 5 unselected (inactive fields). Entries after the fifth do
// nothing on the screen but are kept, so a string read back lists them.
// Rules of ColourSetting::apply:
//   C1 an empty entry, or one the string does not reach, leaves its slot as it was;
//   C2 setting slot 2 also sets slot 5, unless the same string gives slot 5 itself;
//   C3 the setting never has fewer than five slots; a longer string extends it, and a
//      slot extended over without a value is N/N.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace con {

using Attr = std::uint8_t;

enum class Slot { Standard = 1, Enhanced = 2, Border = 3, Background = 4, Unselected = 5 };

// One entry ("GR+/B") to its attribute. An entry with no colour at all is N/N.
Attr parseColourEntry(std::string_view entry);

// The canonical text of an attribute: fore letters, "+" when bright, "/", back letters,
// "*" when bit 7 is set ("W+/B", "N/W*").
std::string formatColourEntry(Attr attr);

class ColourSetting {
 public:
  ColourSetting();  // "W/N,N/W,N/N,N/N,N/W"

  void apply(std::string_view colourString);  // rules C1..C3
  std::string text() const;                   // every slot, canonical entries joined by ","
  Attr slot(Slot s) const { return slots_[static_cast<std::size_t>(s) - 1]; }
  Attr standard() const { return slot(Slot::Standard); }
  Attr enhanced() const { return slot(Slot::Enhanced); }

 private:
  std::vector<Attr> slots_;
};

}  // namespace con
