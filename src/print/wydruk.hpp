// src/print/wydruk.hpp — WYDRUK: the list of the current work area printed as a screen
// description of the EDIT table lays it out (its layout's columns, headings, pictures and
// footings), through the print dialog (drukuj.hpp). The way almost every screen of the
// program prints:
//
//   print::ListPrint list{"KON", "VR", 2, "SŁOWNIK KONTRAHENTÓW"_pl};
//   while (print::WYDRUK(c, list).again) {}
//
// The page: the title (bold) and "Strona n" at the right margin, the date and time of the
// printout (and "Wydruk nr n" for a numbered document), the caller's page header, the
// column headings between rules; rows; at the foot of a page that goes on, a rule and
// " - cd.", and the next page's title ends in "(cd.)". After the last row: a rule, the
// footings (STOPKA) when any column has one, the caller's footer and "- koniec -".
// Frames 0 separate columns by a blank and rule with "-"; frames 1 draw "|" and "+".
// With underlines on, the last heading line is underlined by the printer instead of ruled.
// The work area is walked from its first record (its order, filter and marks as the caller
// set them) and put back on the record it stood on. Esc while printing asks whether to
// break the printout off.
#pragma once

#include <string>

#include "print/drukuj.hpp"

namespace print {

struct ListPrint {
  std::string screen;          // the screen key (BAZA) of EDIT
  std::string layout = "V1";   // the layout field, optionally "|" + a condition
  int report = 0;              // the settings variant of PARADRUK
  std::string title;           // CP852
  Body pageHeader;             // printed under the title lines of every page
  Body footer;                 // printed after the list and its footings
  Body eachLine;               // printed after the row of every record
};

// The dialog and the list. A screen key that EDIT lacks shows "Błąd wewnętrzny - brak
// BAZY w kartotece EDIT" and gives {false, true}.
PrintResult WYDRUK(ui::Context& c, const ListPrint& list);

// The list alone into `p` (what WYDRUK's print dialog runs, with the frames and underlines
// of p's set-up): false when the screen key is not in EDIT.
bool printList(ui::Context& c, const ListPrint& list, Printer& p);

}  // namespace print
