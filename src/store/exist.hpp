// src/store/exist.hpp — EXIST: is a key in a table, asked without disturbing it.
#pragma once

#include <optional>

#include "rt/value.hpp"
#include "store/tables.hpp"

namespace store {

// Seeks `key` in the work area `area` (a number, or an alias as text) under index order
// `order` (default: the area's controlling order) and tells whether a record was found.
// The area's order and record (the end-of-file position included) and the selected work
// area are as before, whether or not the key was found. An area without a table is an
// error of the program, raised through the runtime.
bool EXIST(Tables& t, const rt::Value& key, const rt::Value& area, std::optional<int> order = {});

}  // namespace store
