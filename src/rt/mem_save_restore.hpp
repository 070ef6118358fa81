// src/rt/mem_save_restore.hpp — SAVE TO and RESTORE FROM: memory variables to a .MEM file and
// back. The file's bytes are mem_file.hpp's; the variables and their scoping are memvars.hpp's.
//   * SAVE writes the visible public and private variables whose names match the mask, in the
//     order they were created. Arrays, code blocks and NIL are left out without a word.
//   * RESTORE without ADDITIVE first releases every public and private variable; then each
//     variable of the file is assigned to the visible variable of its name, or becomes a
//     private of the innermost scope (the restoring routine's) when there is none.
//   * A file that cannot be read or is malformed changes no variable: it is read and decoded
//     completely before the first variable is touched.
#pragma once

#include <filesystem>
#include <string_view>

#include "base/status.hpp"
#include "rt/memvars.hpp"

namespace rt {

enum class RestoreMode { Replace, Additive };

// The name SAVE and RESTORE use for `name`: ".mem" added when it has no extension.
std::filesystem::path memFilePath(const std::filesystem::path& name);

// Invalid (and no file written) when a matching text is longer than a .MEM file can hold;
// Io when the file cannot be written.
base::Status saveMemFile(const Memvars& vars, const std::filesystem::path& path, std::string_view mask = "*",
                         MaskMatch match = MaskMatch::Like);

// NotFound or Io when the file cannot be read (no variable is released then); a malformed
// file throws base::Corrupt, also before any change.
base::Status restoreMemFile(Memvars& vars, const std::filesystem::path& path, RestoreMode mode);

}  // namespace rt
