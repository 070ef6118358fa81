// src/store/reindex.hpp — rebuilding the index files of the catalogue (index_catalogue.hpp):
// each table of the asked groups opened exclusively, packed, repaired, indexed from scratch
// and closed again. The screen around it (title, progress bar, tones, the way out on Esc)
// belongs to the caller, which hears of each table through RebuildHooks.
//
// Rules:
//   R1  a table's own index files are deleted before anything in the table changes, so a
//       rebuild killed half way through a table leaves it without indexes, never with
//       indexes that no longer match it. A table that does not change (nothing to repair or
//       pack) keeps its old files until the new ones are renamed over them. Indexes of
//       tables already done stay; tables not reached yet keep theirs (unless the delete-all
//       request removed them).
//   R2  every change of a table's records beyond single fields (packing, the rewrite of the
//       order lines, the one-per-number copy of the contractors) writes a new file and
//       renames it over the old one; the memo file is never rewritten. A rebuild killed at
//       any moment leaves each table old or new, whole.
//   R3  order lines: STATUS "E" becomes "A", then the lines are rewritten in the order of
//       "SYMBOL()+NAZWA_TOW" (equal keys in record order), deleted lines left out.
//   R4  contractors: the first live record of each NR_KON (in record order) stays, the
//       table is rewritten in NR_KON order and a copy of it is left as KON_NR_U in the
//       station folder. So of the records with NR_KON "00000" only the first stays too.
//       Deleted records go first, so a deleted record never takes the place of a live one
//       with its number.
//   R5  contractors' notes: records whose TEKST is empty are deleted before packing.
//   R6  ZAM_N and ZAM_P are passed over (skipped()) unless both tables exist; the station
//       table PARADRUK is first copied from the program folder when the station lacks it.
//   R7  a hook may throw to abandon the rebuild; every table is closed on the way out, and
//       every index file already written takes its name.
//   R8  a table's indexes come from one pass over it (db::writeIndexes); their files are
//       synced and renamed into place on a commit thread while the next table is read, and
//       all of them are in place when the rebuild returns.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "store/index_catalogue.hpp"
#include "store/tables.hpp"

namespace store {

struct RebuildRequest {
  bool deleteAll = false;  // with group ' ': every *.NTX of the program folder goes first
  char group = ' ';        // ' ', 'Z', 'C' or 'H' (index_catalogue.hpp C1)
  // Pass over a table whose file is missing (skipped()) instead of waiting for it as an
  // exclusive open does. For runs without an operator.
  bool skipMissing = false;
};

class RebuildHooks {
 public:
  virtual ~RebuildHooks() = default;
  // The table is open exclusively; nothing in it has changed yet.
  virtual void opened(const CatalogueTable&) {}
  // The table's indexes are written (in place by the end of the rebuild, R8), the table is
  // closed again. `keys` counts the entries of its largest index.
  virtual void finished(const CatalogueTable&, std::uint64_t /*records*/, std::uint64_t /*keys*/) {}
  virtual void skipped(const CatalogueTable&, std::string_view /*why*/) {}
};

// A table or index that could not be rebuilt; the message names it.
class RebuildError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws RebuildError, and whatever the hooks throw (R7).
void rebuildIndexes(Tables& t, const RebuildRequest& request, RebuildHooks& hooks);

}  // namespace store
