// src/db/bulk_index.hpp — building index files from a table: INDEX ON and REINDEX, and
// temporary indexes. Not here: keeping open indexes up to date (work_area.cpp), sorting
// within bounded memory and writing the pages (xbase/ntx_build.hpp).
//
// Rules:
//   I1  the key's type and size come from evaluating the key on the blank (phantom) record:
//       C its length, N its width and decimals, D 8, L 1. A key that is empty there (such
//       as a trimmed field) cannot be indexed, since real keys would be cut to nothing.
//   I2  every record is read in record-number order, deleted and filtered ones included;
//       records failing the FOR condition are left out; with UNIQUE only the first record
//       of each key is kept. Equal keys stand in record-number order.
//   I3  a file is written under a new name and renamed over the old one, so a station
//       killed on the way leaves the old index or the new one, whole.
//   I4  INDEX ON closes the area's other indexes, opens the new one as the controlling
//       order and goes to the top. REINDEX keeps the order list and the controlling order
//       and goes to the top; it needs exclusive use.
//   I5  several indexes built together (indexAll, writeIndexes, REINDEX) share the walks
//       over the records: a second thread gathers the keys that are read from the record
//       bytes for some of them, this thread the rest, and both then sort and write the
//       files. Each file is exactly what a build of its own would write.
#pragma once

#include <string>
#include <vector>

#include "base/result.hpp"
#include "db/work_area.hpp"
#include "sys/deferred_commit.hpp"

namespace db {

struct IndexSpec {
  IndexSpec(std::string k, std::string cond = {}, bool u = false, bool d = false)
      : key(std::move(k)), condition(std::move(cond)), unique(u), descending(d) {}
  std::string key;
  std::string condition;  // empty: every record
  bool unique = false;
  bool descending = false;
};

// Errc::Invalid: a key with no size on the blank record or longer than 256 bytes.
// Throws the compiler's error for a key or condition that does not compile, IoFault.
// `keys`, when given, receives the number of keys written.
base::Status indexOn(WorkArea& area, const std::string& path, const IndexSpec& wanted, std::uint64_t* keys = nullptr);
base::Status reindex(WorkArea& area);

struct IndexTarget {
  std::string path;
  IndexSpec wanted;
};
// INDEX ON for every target at once (I5): the area ends with exactly these indexes open,
// the first controlling, at the top. Nothing is written unless every key has a size (I1).
// `keys`, when given, receives the number of keys written to each file.
base::Status indexAll(WorkArea& area, const std::vector<IndexTarget>& targets, std::vector<std::uint64_t>* keys = nullptr);
// The files of indexAll, not opened: the area keeps no index. Each file is handed to
// `commit` when written, and takes its name when `commit` gets to it. `deletedSeen`, when
// given, tells whether the walk met a deleted record.
base::Status writeIndexes(WorkArea& area, const std::vector<IndexTarget>& targets, sys::DeferredCommit& commit,
                          std::vector<std::uint64_t>* keys = nullptr, bool* deletedSeen = nullptr);
// An index in a new file that is removed when the area closes it; becomes the
// controlling order next to the area's other indexes.
base::Result<std::string> temporaryIndex(WorkArea& area, const IndexSpec& wanted);

}  // namespace db
