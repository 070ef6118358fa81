// src/print/settings.hpp — a printout's printer settings: one record of the station's PARADRUK
// (_SC + "PARADRUK", indexed on WARIANT), read before the print dialog and saved by it.
//
// Rules:
//   S1  the settings of report n are the record whose WARIANT is n written as text ("6");
//       without one, the record "STANDARD"; without that, the first record; without the
//       table, the defaults below.
//   S2  saving writes the record of report n, appending it (from the values being saved)
//       when the report has none yet, so a change for one printout leaves the others alone.
//   S3  a field the table lacks is neither read nor written (older tables have no KONWERSJA).
#pragma once

#include <string>

#include "base/status.hpp"
#include "ui/context.hpp"

namespace print {

struct Settings {
  int density = 1;            // GESTOSC, 1..4
  int frames = 0;             // RAMKI, 0 simple, 1 full
  int feedAtEnd = 0;          // WYSUW, lines fed at the end; 0 means a form feed
  int topMargin = 0;          // MARG_GORNY, lines
  int leftMargin = 0;         // MARG_LEWY, columns
  int pageLength = 66;        // DL_STRONY, lines; 0 is one endless page
  std::string orientation;    // ORIENTACJA: "", "P" or "E"
  bool underlines = false;    // PODKRE
  bool continuous = false;    // CIAGLY
  bool reset = true;          // RESET
  std::string extraCodes;     // KODY_DOD
  std::string mode = "ESC/P"; // TRYB: "ESC/P", "IBM" or "HPPCL"
  std::string from, to;       // KONWERSJA, three letters each, blank for none
  std::string port = "LPT1";  // PORT
  std::string codes;          // KODY, the station's control codes

  friend bool operator==(const Settings&, const Settings&) = default;
};

// S1. Never fails: a table that cannot be opened gives the defaults.
Settings readSettings(ui::Context& c, int report);

// S2. Errc::Cancelled when the wait for the table was given up; Errc::NotFound when the
// station has no PARADRUK; Errc::Io when the record could not be written.
base::Status saveSettings(ui::Context& c, int report, const Settings& s);

// WARIANT of report n.
std::string variantOf(int report);

}  // namespace print
