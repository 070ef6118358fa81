// src/xbase/dbf_header.hpp — the 32-byte header at the start of every table file: decode,
// validate, encode. Not here: the field descriptors that follow it (dbf_field.hpp), records
// and locks (dbf_file.hpp). Layout, integers little-endian:
//   0   u8      version: 0x03 table without memo, 0x83 with a memo file (.dbt);
//               0x07 / 0x87 are read as the same
//   1   u8      year of the last update - 1900 (a value <= 99 from other writers is 19xx)
//   2   u8      month
//   3   u8      day
//   4   u32     record count as of the last header write (stations appending may have added
//               more: the file size is authoritative)
//   8   u16     header length = 32 + 32 * fields + 2; records start here
//   10  u16     record length = 1 (deleted flag) + the sum of the field lengths
//   12  20      other writers' bytes: kept as read and written back unchanged
// Rules checked when decoding (a break raises Corrupt with the file name):
//   H1  the version byte is one of the four above (anything else is not a table we can share)
//   H2  the header holds at least one descriptor and the terminator (length >= 65)
//   H3  a record holds the deleted flag and at least one byte (record length >= 2)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace xbase::dbf {

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kFieldSize = 32;
inline constexpr std::size_t kMinHeaderLength = kHeaderSize + kFieldSize + 1;

inline constexpr std::uint8_t kVersionPlain = 0x03;
inline constexpr std::uint8_t kVersionMemo = 0x83;

namespace off {
inline constexpr std::size_t kVersion = 0, kUpdateYear = 1, kUpdateMonth = 2, kUpdateDay = 3,
                             kRecordCount = 4, kHeaderLength = 8, kRecordLength = 10;
}

struct Header {
  std::uint8_t version = kVersionPlain;
  int updateYear = 0, updateMonth = 0, updateDay = 0;  // full year, e.g. 2025
  std::uint32_t recordCount = 0;
  std::uint16_t headerLength = 0;
  std::uint16_t recordLength = 0;
  std::array<std::byte, kHeaderSize> raw{};  // every byte as read; encode starts from these

  bool hasMemoFile() const { return (version & 0x80) != 0; }
};

// REQUIRES: in.size() >= kHeaderSize (shorter input raises Corrupt too). Throws Corrupt.
Header decodeHeader(std::span<const std::byte> in, const std::string& file);
void encodeHeader(const Header& h, std::span<std::byte, kHeaderSize> out);

}  // namespace xbase::dbf
