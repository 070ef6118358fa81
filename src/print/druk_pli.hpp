// src/print/druk_pli.hpp — DRUK_PLI, the stored printouts: the ".PRN" files of the station
// folder listed (the table PLIKI, rebuilt on every entry, newest in view), one of them
// shown in the text viewer, then printed to a port, deleted or left; and DRUKUJ_PLIK, a
// stored file copied to a printer port.
//
// PLIKI (station folder): NAZWA C8 (the name without ".PRN"), DATA D, CZAS C8, ROZMIAR N8;
// indexes PLIKI_N on NAZWA and PLIKI_D on dtos(DATA)+CZAS. The pipeline's working files
// STOP.PRN, NAG.PRN and DOD.PRN are never listed. On leaving, PLIKI and its indexes are
// closed and deleted.
#pragma once

#include <string>
#include <string_view>

#include "ui/context.hpp"

namespace print {

void DRUK_PLI(ui::Context& c);

// Copies `file` (a Linux path) to the port `port` (LPT1..LPT3 or a share) up to the
// end-of-file mark (character 26) or the end of the file, each line ended by CR LF, with
// the printer questions of the pipeline. True when it was printed.
bool DRUKUJ_PLIK(ui::Context& c, const std::string& file, std::string_view port);

}  // namespace print
