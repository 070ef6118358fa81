// src/store/crea_bazy.hpp — CREA_BAZY: the four empty tables of a sales-data package.
#pragma once

#include "base/status.hpp"
#include "store/tables.hpp"

namespace store {

enum class ToProgramFolder { No, Yes };

// Creates, replacing any old file, _SC + TOW, KON, SPR_N and SPR_P with the package
// structures, empty. With ToProgramFolder::Yes, each of the four the program folder lacks
// is made there too (SPR_N and SPR_P right after their creation, then TOW, then KON); an
// existing table of the program folder is never touched. The program folder's copy has
// the installation's structure, which for SPR_P adds the unit field JM that every
// installation's lines carry. Stops at the first failure: Errc::Locked when another
// station has one of the tables open, Errc::Io when a file cannot be written.
base::Status CREA_BAZY(Tables& t, ToProgramFolder toProgramFolder = ToProgramFolder::No);

}  // namespace store
