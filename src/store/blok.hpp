// src/store/blok.hpp — RBLOK, FBLOK, APPE_BLOK: a record lock, a file lock and an append
// on the current table, each waiting behind a notice as long as another station holds
// what it needs. One pattern:
//   B1  single-user working: RBLOK and FBLOK do nothing, APPE_BLOK simply appends.
//   B2  otherwise the colour is "N/W" for the call; one try; when another station holds
//       the lock, " Oczekiwanie na dostęp do danych ... " is shown in a frame on rows 10
//       to 12 and the operation is retried until it succeeds; then the screen is put back.
//       The wait cannot be cancelled. Tries are a short pause apart, so that a long wait
//       neither spins the processor nor floods a network drive with lock requests.
//   B3  a failure no other station causes (no table, a read-only table, no record to
//       lock) is an error of the program, raised through the runtime, never waited for.
#pragma once

#include "store/tables.hpp"

namespace store {

void RBLOK(Tables& t);      // locks the current record
void FBLOK(Tables& t);      // locks the whole current table
void APPE_BLOK(Tables& t);  // appends a blank record, current and locked

}  // namespace store
