// src/store/dir_exist.hpp — DIR_EXIST: does a folder exist.
#pragma once

#include <string_view>

#include "store/tables.hpp"

namespace store {

// A DOS-style folder name: one trailing backslash is dropped, a bare drive ("C:") means its
// root, and the name resolves as every path of the program does. Nothing changes the
// current folder. An empty name is no folder.
bool DIR_EXIST(Tables& t, std::string_view folder);

}  // namespace store
