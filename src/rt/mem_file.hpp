// src/rt/mem_file.hpp — the .MEM file of memory variables (SAVE TO / RESTORE FROM): its codec
// and the one pair of functions that read and write such a file. Which variables are saved
// and how restored ones are bound is in mem_save_restore.hpp.
//
// Layout: one record per variable, then a single 0x1A byte. A record is a 32-byte header
// followed by the value:
//   0    11   name, upper case, at most 10 characters, NUL-terminated; bytes after the NUL
//             are not part of the name (older writers leave garbage there)
//   11   1    type letter with bit 7 set: 0xC3 C, 0xCE N, 0xC4 D, 0xCC L (readers mask bit 7,
//             as some writers store the plain letter)
//   12   4    unused
//   16   1    C: low byte of the value length; N: printed length; D, L: 1
//   17   1    C: high byte of the value length; N: decimals; D, L: 0
//   18   14   unused
//   32   ...  C: the text and one 0x00, their count in bytes 16-17 (at most 65535)
//             N: 8-byte IEEE double, little-endian; D: the same holding the day number
//             (0 for the empty date); L: 1 byte, non-zero is true
// Rules:
//   F1  decoding stops where fewer than 32 bytes remain or a record would start with 0x1A;
//       those bytes are the tail, kept as read.
//   F2  encode(decode(b)) == b for every file whose lengths agree with their values: the
//       header bytes a variable was read with are written back, except name, type letter
//       and bytes 16-17, which always come from the variable. New variables get zeros.
//   F3  the printed length of a number is its width plus, with decimals, the decimals and
//       the point; restoring takes the width back out of it.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.hpp"
#include "rt/value.hpp"

namespace rt::mem {

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kNameField = 11;
inline constexpr std::size_t kMaxNameLength = 10;
inline constexpr std::size_t kMaxTextLength = 65534;  // the NUL makes 65535
inline constexpr std::byte kEndMark{0x1A};

namespace off {
inline constexpr std::size_t kName = 0, kType = 11, kLength = 16, kDecimals = 17;
}

struct Variable {
  std::string name;                           // upper case, at most 10 characters
  Value value;                                // character, numeric, date or logical
  std::array<std::byte, kHeaderSize> header{};  // as read (F2); zeros for a new variable
};

struct Image {
  std::vector<Variable> variables;
  std::vector<std::byte> tail{kEndMark};      // what follows the last record (F1)
};

// Whether SAVE can store this value: text up to kMaxTextLength bytes, numbers, dates and
// logicals. Arrays, code blocks and NIL are not stored.
bool isStorable(const Value& v);

// A variable for a new file: the name upper-cased and cut to 10 characters.
Variable makeVariable(std::string_view name, Value value);

// Throws base::Corrupt (naming `fileName` and the offset) for an unknown type letter or a
// value that runs past the end of the bytes.
Image decode(std::span<const std::byte> bytes, std::string_view fileName);
// REQUIRES: isStorable(v.value) for every variable (checked).
std::vector<std::byte> encode(const Image& image);

// The whole file; NotFound when it does not exist, Io when it cannot be read.
base::Result<std::vector<std::byte>> readFile(const std::filesystem::path& path);
// Writes a new file beside `path` and renames it over `path`, so a failure leaves any old
// file as it was.
base::Status writeFile(const std::filesystem::path& path, std::span<const std::byte> bytes);

}  // namespace rt::mem
