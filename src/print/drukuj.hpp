// src/print/drukuj.hpp — DRUKUJ, the print dialog every printout of the program goes
// through, and the shape of a printout the caller writes itself. Lists described by the
// EDIT table print through WYDRUK (wydruk.hpp), which is built on this.
//
// The dialog: the printer settings of the report (PARADRUK, settings.hpp) in a box, and on
// row 24 "WYDRUK" (print), "DRUKARKA" (change the settings, optionally saving them) and
// "KONIEC" (leave). "WYDRUK" makes the print file (_SC + "PFILE_X"): the printer set-up
// codes, the body, the end of the printout; then sends it to the destination of
// "Port/Plik:" (destination.hpp). Then the dialog ends, asking to be called again: callers
// loop while `again` holds, so that a printout can be made once more or elsewhere.
//
// While the body runs, PROW(), PCOL(), DEVPOS(), DEVOUT(), SETPRC(), PRINTCONT() and the
// variable RMARG of stored expressions work on the printout's Printer.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "print/printer.hpp"
#include "ui/context.hpp"

namespace print {

using Body = std::function<void(Printer&)>;

struct PrintResult {
  bool again = false;    // the dialog is to be offered again (it printed, or printing failed)
  bool stopped = false;  // the printout was broken off (Esc, an abandoned printer error)
};

// The dialog for report number `report` (the settings variant) around `body`. Sets the
// public _NIEKONCZ to `again`. The screen is restored when it returns.
PrintResult DRUKUJ(ui::Context& c, int report, std::string_view title, const Body& body);

}  // namespace print
