// src/db/bulk_append.hpp — APPEND FROM: the records of another table added to this area.
// Fields are matched by name; a field of another type is left blank; text is cut or
// blank-padded to the target width; a number too wide for its field is stored as '*'.
// Deleted source records follow the deleted-records setting: hidden, they are passed over;
// shown, they are added and stay marked deleted. The FOR condition is evaluated on the
// source record (its fields are the current area's fields while it is evaluated).
// Every added record goes into the area's open indexes; the area ends on the last one.
#pragma once

#include <string>
#include <vector>

#include "base/result.hpp"
#include "db/work_area.hpp"

namespace db {

struct AppendOptions {
  std::vector<std::string> fields;  // empty: every field of the target
  std::string forCondition;         // expression text over the source's fields
};

// Errc::NotFound: no source table; Errc::Locked as for appends. Returns the count added.
base::Result<std::uint32_t> appendFrom(WorkArea& area, const std::string& source, const AppendOptions& options = {});

}  // namespace db
