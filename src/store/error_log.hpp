// src/store/error_log.hpp — the error log: one record per fault worth keeping in the table
// ERR_LOG of the program folder, written only when that table exists.
#pragma once

#include <string_view>

#include "store/tables.hpp"

namespace store {

// Appends today, the time, the station (NUMER_STAN), the operator (_OPERATOR), `text` and
// the procedure and line of `where`. Does nothing when ERR_LOG.DBF is missing or cannot be
// opened or appended to within a few short tries: logging never waits behind a notice and
// never fails the caller. The area selected before is selected again.
void appendErrorLog(Tables& t, std::string_view text, const Caller& where);

}  // namespace store
