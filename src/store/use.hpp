// src/store/use.hpp — _USE, the one way a table is opened: the open modes, the waiting
// notice while another station holds the table, Esc in cancellable modes and the
// emergency exit in the others; and the way callers attach index files after opening.
//
// Modes: the first character decides (either case), a "!" anywhere makes the wait
// impossible to cancel. "S" shared read-write, "R" shared read-only, "F" shared then a lock
// on the whole file (a table whose file lock cannot be had is closed again and the try
// counts as failed), anything else exclusive. Used: "S", "R", "R!", "F", "F!", "E", "E!".
//
// Rules:
//   U1  the table opens in the current work area; whatever was open there is closed first.
//   U2  multi-user: the current colour is "N/W" for the whole call and the previous one is
//       back on every way out; a failed try (locked, or the file missing) shows the notice
//       and retries once per pass, each pass a wait of up to one second for a key.
//   U3  between two tries no table is open in the area (mode "F" included).
//   U4  single-user: one exclusive try, no notice; a failure shows "Dane niedostępne w tej
//       części programu !" and gives false.
//   U5  an alias that cannot be used (taken by another area, or a letter A..K or M) is an
//       error of the program, raised through the runtime, never waited for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/source_location.hpp"
#include "base/status.hpp"
#include "store/tables.hpp"

namespace store {

enum class Opening { Shared, ReadOnly, FileLock, Exclusive };

struct OpenMode {
  Opening opening = Opening::Exclusive;
  bool cancellable = true;
};

OpenMode parseOpenMode(std::string_view mode);

// The procedure name and line of a C++ caller, for the error log.
Caller callerAt(base::SourceLocation where = base::SourceLocation::current());

// True when the table is open; false only when the operator cancelled the wait, or, in
// single-user working, when the exclusive open failed. The emergency exit ends the program
// (ProgramEnd) after logging "Blokada dostępu do zbioru NAME." against `where`.
bool USE_(Tables& t, std::string_view name, std::string_view mode, std::string_view alias = {},
          const Caller& where = callerAt());

// Clears the index list of the current area and adds each named index file; the first
// becomes the controlling order. Stops at the first file that cannot be opened and
// reports it (Errc::NotFound, Errc::Locked); NotFound too when no table is open.
base::Status attachIndexes(Tables& t, const std::vector<std::string>& names);

}  // namespace store
