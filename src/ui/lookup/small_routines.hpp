// src/ui/lookup/small_routines.hpp — the small routines beside the dictionaries: file
// names, filters, and text printed without moving the print position.
#pragma once

#include <string>
#include <string_view>

#include "db/work_area.hpp"
#include "ui/context.hpp"

namespace ui::lookup {

// The name unchanged when either part is empty or the name holds "."; else the trimmed
// name + "." + extension.
std::string ADJUSTNAME(std::string_view name, std::string_view extension);

// The filter `area` gets when `condition` is added to it with `joiner` (".and."): the
// condition alone when there was no filter, else each part in parentheses joined, so an
// ".or." in either keeps its meaning. Empty: no filter.
std::string joinedFilter(std::string_view current, std::string_view condition, std::string_view joiner);
// Sets that filter on `area` (an empty one clears it). A condition that does not compile
// raises the runtime's error and leaves the filter as it was.
void ADDFILTER(db::WorkArea& area, std::string_view condition, std::string_view joiner = ".and.");

// Prints `text` at the current print position without moving it (the printing seam).
void PRINTCONT(Context& c, std::string_view text);

}  // namespace ui::lookup
