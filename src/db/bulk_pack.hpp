// src/db/bulk_pack.hpp — PACK and ZAP: rewriting a table without its deleted records, or
// without any. Both need exclusive use, rebuild the open indexes and go to the top.
//
// Each file is written under a new name and renamed over the old one, so a station killed
// on the way leaves every file either old or new, whole. The header bytes (reserved areas,
// code-page mark, field descriptors) are carried over as they are; only the record count and
// the last-update date change.
// PACK keeps the memo file as it is: the remaining records keep their memo block numbers,
// and the blocks of removed records become unused space. Rewriting the memo file as well
// would need two renames, and a station killed between them would leave records pointing
// into the wrong memo file. ZAP replaces the table first and then the memo file, so that
// a kill between the two leaves an empty table next to an old memo file, which is harmless.
#pragma once

#include <cstdint>
#include <span>

#include "base/result.hpp"
#include "db/work_area.hpp"

namespace db {

// Errc::Refused without exclusive use. Throws IoFault.
base::Status pack(WorkArea& area);
base::Status zap(WorkArea& area);
// Rewrites the table to hold exactly `records` (record numbers of the table, in the order
// given; deleted marks are kept), as PACK does: one new file renamed over the old one, the
// memo file left as it is. Errc::Invalid for a number outside the table.
base::Status rewriteInOrder(WorkArea& area, std::span<const std::uint32_t> records);

}  // namespace db
