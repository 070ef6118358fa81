// src/print/register.hpp — the printing routines in the runtime's function table: DRUKUJ,
// WYDRUK, PLIK, PRINTER_OK, NR_WYDRUKU, WYDRUK_NR, LPORZ, TXT_KONWERS, MAZLAT_STD, MAZLAT_WIN,
// DAJ_DRUKARKI, DO_DBF, DRUK_PLI, FILEBROWSE, DRUKUJ_PLIK, and the printer functions of stored
// expressions (print_scope.hpp).
//
// By name (an argument of the wrong type raises the runtime's argument error):
//   WYDRUK(screen, layout, report, title, header, footer, line, @again, @stop) -> again
//   DRUKUJ(report, body, title) -> again
// header, footer, line and body are code blocks, or texts of expressions, evaluated with
// the printout's printer current (PROW(), DEVPOS(), DEVOUT() ...); NIL for none. Both set
// the public _NIEKONCZ to the result, so a caller may loop on either.
#pragma once

#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace print {

void registerPrint(rt::FunctionTable& fns, ui::Context& c);

}  // namespace print
