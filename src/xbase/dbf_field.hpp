// src/xbase/dbf_field.hpp — the field descriptors that follow the table header, and the
// terminator that ends them: decode, validate, encode. Layout of one 32-byte descriptor:
//   0   11   name: ASCII, NUL-terminated; bytes after the first NUL may hold garbage from
//            other writers and are ignored (byte 10 always counts as NUL)
//   11  1    type: C N D L M (F, a floating number written as N, is read as N)
//   12  4    an address some writers fill in; ignored (field offsets are computed), written 0
//   16  1    length; for C the low byte of the length
//   17  1    N: decimals; C: the high byte of the length (C fields may exceed 255 bytes)
//   18  14   reserved; ignored on read, written as zeros
// After the last descriptor: 0x0D, then 0x00. Readers stop at the first descriptor whose
// first byte is 0x0D; the data start is taken from the header length, never from the count.
// Rules checked when decoding (a break raises Corrupt naming the file and the byte):
//   F1  the descriptors end with 0x0D inside the header, and there is at least one
//   F2  each type is one of C N D L M (or F); D is 8 wide, L is 1, M is 10
//   F3  each field is at least one byte wide; N decimals leave room for the point
//   F4  1 + the sum of the field lengths equals the header's record length
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.hpp"

namespace xbase::dbf {

inline constexpr std::byte kFieldTerminator{0x0D};
inline constexpr std::size_t kMaxNameLength = 10;

namespace fieldoff {
inline constexpr std::size_t kName = 0, kType = 11, kLength = 16, kDecimals = 17;
}

enum class FieldType : char { Character = 'C', Numeric = 'N', Date = 'D', Logical = 'L', Memo = 'M' };

struct Field {
  std::string name;  // upper case as stored
  FieldType type = FieldType::Character;
  std::uint16_t length = 0;
  std::uint8_t decimals = 0;
  std::uint16_t offset = 0;  // within the record; the deleted flag is byte 0
};

// A field list for a new table. Invalid when a name is empty, longer than 10 characters or
// repeated, a type is unknown, or a width does not suit its type. Fixes D/L/M widths.
struct FieldSpec {
  std::string name;
  char type;
  int length = 0;
  int decimals = 0;
};

// Decodes the descriptors in `area`, the header bytes from offset 32 to the header length.
// `recordLength` is the header's. Throws Corrupt.
std::vector<Field> decodeFields(std::span<const std::byte> area, std::uint16_t recordLength, const std::string& file);
// The descriptors and the terminator (0x0D 0x00): 32 * fields + 2 bytes.
std::vector<std::byte> encodeFields(const std::vector<Field>& fields);
// Computes offsets; returns the record length (0 when it would exceed 65535).
std::uint16_t layOutFields(std::vector<Field>& fields);
// Checks a field list for a new table and lays it out. Errc::Invalid names the first problem.
base::Result<std::vector<Field>> fieldsFromSpecs(const std::vector<FieldSpec>& specs);

}  // namespace xbase::dbf
