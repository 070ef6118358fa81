// src/core/config/ustaw_druk.hpp — USTAW_DRUK, the printer settings of the station (menu
// command "USTAWIANIE GLOBALNYCH PARAMETRÓW WYDRUKÓW").
//
//   D1  a form of four rows: "Tryb drukarki:  " (five characters, upper case),
//       "Port drukarki:  " (four, upper case), "Konwersja:      " (two codes of three
//       characters with "->" between them) and "Kody sterujące: " (30 characters). The
//       fields start empty and keep what was typed when the form comes again;
//   D2  valid input (printSettingsValid): the mode is "ESC/P", "IBM" or "HPPCL"; the port
//       is "LPT" and a digit 1-9; the conversion codes are both blank, or the first is
//       "MAZ" or "LAT" and the second "MAZ", "LAT", "STD" or blank and not the first; the
//       trimmed control codes hold only digits, "/" and ",", and neither begin nor end
//       with "," or "/";
//   D3  invalid input: "PODANO BŁĘDNE PARAMETRY !" and the form again; Esc ends with
//       nothing written;
//   D4  valid input: _SC + "PARADRUK" is opened exclusively, waiting without cancel (a
//       station without its own copy gets one first), and every record takes TRYB, PORT,
//       KONWERSJA (first code followed by the second) and KODY as typed; all tables are
//       closed.
#pragma once

#include <string>

#include "ui/context.hpp"

namespace core {

struct PrintSettings {
  std::string mode, port, from, to, codes;  // as typed, in CP852
};

// D2.
bool printSettingsValid(const PrintSettings& s);

// D1-D4; always true.
bool USTAW_DRUK(ui::Context& c);

}  // namespace core
