// src/ui/browse/blokuj.hpp — BLOKUJ, the lock of a cell edit, and the retry behind the
// waiting box that appending shares with it: a failed attempt shows
// "  Oczekiwanie na dostęp ... " and is repeated every half second until it succeeds or
// Esc gives up.
#pragma once

#include <functional>

#include "base/status.hpp"
#include "db/work_area.hpp"
#include "ui/context.hpp"

namespace ui::browse {

enum class LockMode { None = 0, Record = 1, Table = 2 };
LockMode lockModeOf(int argument);  // 0 none, 1 the record, any other value the table

// Runs `attempt` until it succeeds (true) or Esc is pressed while waiting (false). Only
// Errc::Locked waits; any other failure ends at once with false.
bool retryBehindNotice(Context& c, const std::function<base::Status()>& attempt);

// Locks the current record (mode Record) or the whole table (any other mode).
bool BLOKUJ(Context& c, db::WorkArea& area, LockMode mode);

}  // namespace ui::browse
