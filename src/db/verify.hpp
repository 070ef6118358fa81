// src/db/verify.hpp — checking a table and its indexes against each other, for the
// administrators' verify command and for tests.
//
// An index passes when:
//   V1  its tree keeps the page rules (the index file's own invariant check);
//   V2  its keys stand in index order, and equal keys of a UNIQUE index do not occur;
//   V3  each entry names an existing record whose key expression gives exactly the stored
//       key, and whose FOR condition holds;
//   V4  the entries number the records passing the FOR condition (deleted ones included).
//       A UNIQUE index holds at most the distinct keys among them: when the record holding
//       a key takes another one, the other records with the old key do not take its place
//       until the index is rebuilt, so fewer keys are sound;
//   V5  every stored key is found again by a search for its key and record number.
// A table passes when every record and every memo it refers to can be read.
#pragma once

#include <cstdint>
#include <string>

#include "db/order.hpp"
#include "db/work_area.hpp"

namespace db {

struct Verdict {
  bool ok = true;
  std::string reason;      // the first broken rule, when not ok
  std::uint64_t count = 0; // records of a table, keys of an index
};

Verdict verifyTable(WorkArea& area);
Verdict verifyIndex(WorkArea& area, Order& order);

}  // namespace db
