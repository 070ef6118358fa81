// src/print/txt_konwers.hpp — code-page conversions of whole texts and files: TXT_KONWERS,
// MAZLAT_STD, MAZLAT_WIN. Only the 18 Polish letters change (rt/codepage.hpp).
#pragma once

#include <string>
#include <string_view>

#include "ui/context.hpp"

namespace print {

// `file` with the letters of code page `from` ("M" Mazovia, "L" code page 852) turned into
// those of `to` ("L", "M", "S" plain letters, "I" ISO 8859-2, "W" Windows-1250), written to
// XKONW.TXT in the station folder (a new file renamed over the old one), 1024 bytes at a
// time. False when a code is unknown or a file cannot be read or written.
bool TXT_KONWERS(ui::Context& c, std::string_view file, std::string_view from, std::string_view to);

// A Mazovia text brought to code page 852, then to plain letters / to Windows-1250.
std::string MAZLAT_STD(std::string_view mazovia);
std::string MAZLAT_WIN(std::string_view mazovia);

}  // namespace print
