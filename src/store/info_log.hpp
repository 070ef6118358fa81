// src/store/info_log.hpp — INFO_LOG, the log of sensitive actions: who did what, when, at
// which station, and on which goods, warehouse and contractor.
//
// The log is the table INFO_LOG of the program folder with two indexes: INFO_L_T by time
// and INFO_L_O by operator. Logging is switched on by the presence of INFO_L_O.NTX.
#pragma once

#include <string_view>

#include "rt/value.hpp"
#include "store/tables.hpp"

namespace store {

struct IndexDef {
  std::string_view file;
  std::string_view key;
};
inline constexpr IndexDef kInfoLogIndexes[] = {
    {"INFO_L_T", "dtos(DATA)+CZAS"},
    {"INFO_L_O", "OPERATOR+dtos(DATA)+CZAS"},
};

// Appends one record: today, the time, the station (NUMER_STAN), the operator (_OPERATOR),
// `description`, and from the work area `area` (a number or an alias; NIL: the current one)
// its INDEKS, NR_MAG and NR_KON into INDEKS, MAGAZYN and FIRMA where it has them. Nothing
// is logged for an operator of level 10 or more, nor without INFO_L_O.NTX. The log opens
// in a free work area, the append waits as locks do, and the area selected before is
// selected again. Any failure (the log cannot be opened, the wait was cancelled, a broken
// file) is silent: the action being logged goes on.
void INFO_LOG(Tables& t, std::string_view description = {}, const rt::Value& area = rt::Value());

}  // namespace store
