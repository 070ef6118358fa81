// src/core/index_rebuild.hpp — INDEX, the operator's index rebuild: the screen around the
// catalogue rebuild of the table store (store/reindex.hpp), and ORD4.
//
// The screen: the title on row 0, a bar of 18 steps on row 24 that advances after each
// table except the small dictionaries, the table's name on row 23 for operators of
// priority 9, a pause of 0.2 second before each table after the first two, a tone of
// 880 Hz after EDIT (followed by a second's pause) and after ZMIANY. Between two tables
// STOP_SORT may abandon the rebuild: tables already done keep their new indexes, the
// others keep the old ones, or none when the delete-all request removed them. At its start
// the rebuild compares the structure stamp in STATUS with the program's and runs the
// structure upgrade UZG_WER (when the program has it) when they differ.
#pragma once

#include <string>
#include <string_view>

#include "ui/context.hpp"

namespace core {

// The stamp of the table structures this program works with.
inline constexpr std::string_view kStructureStamp = "180916";

// `group` ' ' (everything), 'Z', 'C' or 'H'. REQUIRES: c.tables is set.
void INDEX(ui::Context& c, bool deleteAll = false, char group = ' ');

// The name of the goods browser's fourth order.
std::string ORD4();

}  // namespace core
