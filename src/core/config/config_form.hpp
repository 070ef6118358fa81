// src/core/config/config_form.hpp — CONFIG, the basic configuration form (menu command
// "KONFIGURACJA PODSTAWOWA").
//
//   C1  the screen: the title on row 0, the notice "Opcja dozwolona tylko przed
//       wprowadzeniem danych użytkowych" on row 23;
//   C2  only an operator of priority 9 or more who gives the configuration password
//       (HA with _HASLO) goes on; anyone else gets "Brak uprawnień !";
//   C3  CONFIG is opened exclusively, waiting without cancel, and its one record edited in
//       one form (the rows, labels, pictures and checks are in config_form.cpp). The form
//       edits a copy: Esc leaves the table as it was, byte for byte; a saved form writes the
//       fields it changed;
//   C4  the account must be empty or five characters without blanks worth at most 25; the
//       invoicing station is zero-filled and must be empty or name a folder GDZIE_KV (without
//       a closing backslash) + "#" + the two digits that holds PARADRUK.DBF; the yes/no fields take "T", "N" or blank;
//   C5  on saving, an empty account becomes "00000" and the invoicing station two digits;
//   C6  then (also after Esc) the program-wide variables are read again from the record, the
//       account and station taken as C5 shapes them, CONFIG is closed, the station folder
//       (_SCL, _SC) rebuilt from _KARTOTEKA, and a station folder without its own print
//       settings gets them (station_print_settings.hpp).
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace core {

void CONFIG(ui::Context& c);

// C4: the account rule on the field's text.
bool accountValid(std::string_view konto);

}  // namespace core
