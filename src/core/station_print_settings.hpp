// src/core/station_print_settings.hpp — the station's own print settings: its folder (_SC)
// gets a copy of the program folder's PARADRUK, indexed on WARIANT, the first time the
// station works from that folder (at start-up, and after the configuration names a new
// data folder).
#pragma once

#include <string>

#include "store/tables.hpp"
#include "sys/env.hpp"

namespace core {

// Copies `from` to `to` through a temporary file renamed over `to`, so `to` is either
// missing or whole. False when any step fails.
bool copyFileWhole(sys::Env& env, const std::string& from, const std::string& to);

// When the station folder holds no PARADRUK.DBF: copies the program folder's one there and
// indexes it on WARIANT. Leaves things as they are when the copy cannot be made or the
// table opened; throws base::IoFault when the index cannot be written. All tables are
// closed afterwards.
void copyPrintSettings(store::Tables& t);

}  // namespace core
