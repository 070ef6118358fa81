// src/print/control_codes.hpp — the bytes that set a printer up and switch its attributes,
// for each printer mode, and for the page library (PDF and system printers), which reads
// its own two-byte escapes (ESC + one character) from the print file.
//
//   what                ESC/P               IBM (Proprinter)     HPPCL                  page library
//   reset               ESC @               ESC @ (none in PPR)  ESC E                  -
//   density 1 (10 cpi)  ESC P DC2           DC2                  ESC ( s 10 H           ESC 10
//   density 2 (12 cpi)  ESC M DC2           ESC :                ESC ( s 12 H           ESC 12
//   density 3 (15 cpi)  ESC g DC2           SI (17 cpi)          ESC ( s 15 H           ESC 15
//   density 4 (17 cpi)  ESC P SI            SI                   ESC ( s 16.67 H        ESC 17
//   portrait/landscape  -                   -                    ESC & l 0 O / 1 O      (document orientation)
//   bold on/off         ESC E / ESC F       ESC E / ESC F        ESC ( s 3 B / 0 B      ESC B / ESC b
//   italic on/off       ESC 4 / ESC 5       -                    ESC ( s 1 S / 0 S      ESC I / ESC i
//   underline on/off    ESC - 1 / ESC - 0   ESC - 1 / ESC - 0    ESC & d 0 D / ESC & d @  ESC U / ESC u
// The page library's density escapes carry the characters per inch as the byte value
// (ESC followed by byte 10 sets 10 cpi); 6 and 8 set lines per inch.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace print {

enum class Dialect { EscP, Ibm, Hppcl, PageLibrary, None };

// "ESC/P", "IBM", "HPPCL"; anything else is ESC/P.
Dialect dialectOfMode(std::string_view mode);

enum class Attribute { Bold, Italic, Underline };

std::string resetCode(Dialect d);
std::string densityCode(Dialect d, int density);  // density 1..4
std::string orientationCode(Dialect d, bool landscape);
std::string attributeCode(Dialect d, Attribute a, bool on);

// Characters per inch of a density (1..4): 10, 12, 15, 17.
int charactersPerInch(int density);

// Decimal byte values separated by "," or "/" ("27,64/15") as bytes; nullopt when the
// text holds anything else or a value above 255. Blank text gives no bytes.
std::optional<std::string> parseCodes(std::string_view text);

}  // namespace print
