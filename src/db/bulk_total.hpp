// src/db/bulk_total.hpp — TOTAL ON: one record per run of equal keys, with sums.
// The area must be ordered on the key. Walking the visible records from the top in the
// controlling order, every run of consecutive records with an equal key value (compared
// exactly) gives one record of the new table: the run's first record, with the listed
// numeric fields replaced by their sums over the run. The new table has the area's
// structure without memo fields. A sum too wide for its field is stored as '*'.
#pragma once

#include <string>
#include <vector>

#include "base/result.hpp"
#include "db/expr.hpp"
#include "db/work_area.hpp"

namespace db {

// Errc::Invalid: a listed field that is missing or not numeric. Returns the records written.
base::Result<std::uint32_t> total(WorkArea& area, const std::string& path, const Expr& key,
                                  const std::vector<std::string>& sumFields, const Expr& forCondition = {});

}  // namespace db
