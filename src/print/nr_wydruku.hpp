// src/print/nr_wydruku.hpp — NR_WYDRUKU and WYDRUK_NR: the printouts of a document counted
// in the shared print log WYDRUKI (program folder; index WYDRUK_D, key
// DOKUMENT+STR(WYDRUK,5)). The document is the public _DRU_DOK; empty means printouts
// are not numbered.
//
// Rules:
//   N1  the number is 1 for a document printed for the first time, else one more than the
//       highest number logged for it. A record logged with number 0 stands for "not printed
//       yet": it becomes printout 1 (under its record lock) instead of a new record.
//   N2  the number is taken and logged under the log's file lock, so two stations printing
//       the same document at once get different numbers.
//   N3  without the log, or when it cannot be opened, numbering is skipped silently (0).
//       A log without its index gets it built when the log can be had exclusively.
//   N4  the log is closed and the area selected before is selected again.
#pragma once

#include "ui/context.hpp"

namespace print {

// Logs a new printout of _DRU_DOK and returns its number; 0 when not numbered (N3).
int NR_WYDRUKU(ui::Context& c);
// The number the next printout of _DRU_DOK would get; nothing is written.
int WYDRUK_NR(ui::Context& c);

}  // namespace print
