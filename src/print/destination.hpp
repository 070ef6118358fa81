// src/print/destination.hpp — where a printout goes, decided from the "Port/Plik:" entry
// (PLIK), and how the destination adjusts the settings.
//
// The entry, trimmed and upper-cased, by the first rule that matches:
//   D1  "STOP", or anything beginning with "NAG": refused (the pipeline's working files).
//   D2  "LPT1", "LPT2", "LPT3": that port.
//   D3  "WIN" [":"] [queue]: a system printer (the default one without a queue name).
//   D4  "PDF" [":"] [name]: a PDF file PDF/name.pdf in the data folder ("WYDRUK" + date and
//       time when no name is given).
//   D5  "_" name: a text file of that name in the data folder, in Windows-1250, without
//       printer codes.
//   D6  "\\" ...: a network printer share.
//   D7  anything else: a file name; the print file is name + ".prn" in the data folder.
// Names of D4, D5 and D7 hold only letters, digits and _ - $ # ! & ~ (no path, no dot, no
// blank), at most 30 characters, and are not a device name (CON, PRN, AUX, NUL, COMn,
// LPTn): so no name reaches outside the station folder or means anything to a shell.
#pragma once

#include <string>
#include <string_view>

#include "base/result.hpp"
#include "print/settings.hpp"

namespace print {

enum class Kind { Port, Windows, Pdf, WindowsFile, Share, File };

struct Destination {
  Kind kind = Kind::Port;
  std::string entry;  // as typed, trimmed and upper-cased
  std::string name;   // Port/Share: the entry; Windows: the queue ("" default); Pdf, WindowsFile, File: the file name
};

// D1..D7 without any question. Errc::Refused (D1) or Errc::Invalid (a name D7 cannot use).
base::Result<Destination> classify(std::string_view entry);

// True for a name D4, D5 and D7 accept.
bool validFileName(std::string_view name);

// The settings a destination imposes: for the page library (D3, D4, D5) continuous paper
// off, mode ESC/P, no extra codes, and the conversion to Windows-1250 (from the chosen
// "from", or the program's code page 852), except that D3 keeps a chosen "STD".
void adjustSettings(Settings& s, const Destination& d);

// True when the destination is printed through the page library.
inline bool throughPageLibrary(Kind k) { return k == Kind::Windows || k == Kind::Pdf; }

}  // namespace print
