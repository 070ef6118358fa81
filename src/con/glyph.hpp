// src/con/glyph.hpp — what a screen cell's byte looks like. Bytes 0x20..0xFF are the CP852
// characters; the control range 0x00..0x1F and 0x7F show as the PC's glyphs (arrows for 24..27,
// which the program uses in its key legends), because a cell always holds a picture and a
// terminal must never receive a raw control byte from it.
#pragma once

#include <cstdint>
#include <string>

namespace con {

char32_t glyphOf(std::uint8_t cellByte);
void appendUtf8(std::string& out, char32_t c);

}  // namespace con
