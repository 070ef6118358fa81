// src/ui/browse/edit_table.hpp — the EDIT table of column descriptions: finding a screen's
// records (through the index "EDIT" on BAZA, rebuilt once when the key is not found) and
// choosing the records of a layout.
//
// A layout is a layout field name ("V0", "V1", ...), optionally followed by "|" and a
// condition on the description record. "V0" takes every record of the screen in table
// order; another layout takes the records whose field holds a position above 0, sorted by
// it (equal positions keep table order). Without _UDOCEZAK the purchase-price columns are
// left out of every layout.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/browse/column.hpp"
#include "ui/context.hpp"

namespace ui::browse {

// The description records of `screenKey` for each of `layouts`; nullopt when the key is
// not in the table or the table cannot be opened. The previously selected area stays selected.
std::optional<std::vector<std::vector<EditRecord>>> readLayouts(Context& c, std::string_view screenKey,
                                                                const std::vector<std::string>& layouts);

// The folder the EDIT table is taken from: the EDITPATH folder when it holds EDIT.DBF,
// else the program folder (as a Linux path ending in "/").
std::string editFolder(Context& c);

}  // namespace ui::browse
