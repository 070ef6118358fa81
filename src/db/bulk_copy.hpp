// src/db/bulk_copy.hpp — COPY TO, COPY STRUCTURE, COPY STRUCTURE EXTENDED and CREATE FROM.
// Not here: APPEND FROM (bulk_append.hpp), TOTAL (bulk_total.hpp), PACK/ZAP (bulk_pack.hpp).
//
// COPY TO writes a new table with the area's structure, or the listed fields in the listed
// order, receiving the visible records in the controlling order: from the top, or from the
// current record when a WHILE condition is given (the copy then stops at the first record
// failing it). Records failing FOR are passed over. While deleted records are shown they
// are copied and stay marked deleted; while hidden they are left out. Memo text is copied
// into the new table's memo file. The area ends at EOF, or on the record that failed WHILE.
//
// A structure table (COPY STRUCTURE EXTENDED) has FIELD_NAME C10, FIELD_TYPE C1,
// FIELD_LEN N3 and FIELD_DEC N3, one record per field. A character field wider than 255
// keeps the low byte of its width in FIELD_LEN and the high byte in FIELD_DEC, as in the
// field descriptor itself.
#pragma once

#include <string>
#include <vector>

#include "base/result.hpp"
#include "db/expr.hpp"
#include "db/work_area.hpp"

namespace db {

struct CopyOptions {
  std::vector<std::string> fields;  // empty: every field
  Expr forCondition;
  Expr whileCondition;
};

// Errc::Invalid: a listed field that the table lacks; Errc::Locked: the target is open
// elsewhere. Returns the number of records copied.
base::Result<std::uint32_t> copyTo(WorkArea& area, const std::string& path, const CopyOptions& options = {});
base::Status copyStructure(WorkArea& area, const std::string& path, const std::vector<std::string>& fields = {});
base::Status copyStructureExtended(WorkArea& area, const std::string& path);
// A new empty table at `path` with the structure listed in the structure table `from`.
// Errc::Invalid names the first unusable row.
base::Status createFrom(Workspace& ws, const std::string& path, const std::string& from);

// The field list of a table as a list for creating another (helper of the bulk operations).
std::vector<xbase::dbf::FieldSpec> specsOf(const std::vector<xbase::dbf::Field>& fields);

}  // namespace db
