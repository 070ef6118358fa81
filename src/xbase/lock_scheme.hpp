// src/xbase/lock_scheme.hpp — where the table, memo and index locks sit in their files.
// Every program that shares a folder with this one takes the same bytes, so these numbers
// are part of the file format. The lock bytes lie far beyond the data ("semaphore bytes"):
// on systems with mandatory locks a locked byte cannot be read by others, and nobody reads
// there. Offsets are 64-bit: other schemes go past 2^31.
//
//   file   offset                     length          lock
//   .dbf   B                          1               header / append: taken to append a record and
//                                                     to rewrite the header; waits until granted
//   .dbf   B + r                      1               record r (1-based); single try
//   .dbf   B + 1                      B               the whole table: covers every record byte, so it
//                                                     and record locks of others exclude each other,
//                                                     while the append byte B stays outside it
//   .ntx   B                          1               index update: held while pages are read or changed
//   .dbt   0                          1               memo allocation: held while the next-free block is
//                                                     read, text written and the header advanced
// with B = 1,000,000,000. The whole-table range reaches record 1,000,000,000 only, which is
// why a table must stay below 1,000,000,000 bytes.
#pragma once

#include <cstdint>

namespace xbase::lock {

struct Range {
  std::uint64_t offset;
  std::uint64_t length;
};

inline constexpr std::uint64_t kBase = 1'000'000'000;

inline constexpr Range kAppend{kBase, 1};
inline constexpr Range kFile{kBase + 1, kBase};
inline constexpr Range kIndexUpdate{kBase, 1};
inline constexpr Range kMemo{0, 1};
// The largest record number whose lock byte the whole-table range still covers.
inline constexpr std::uint32_t kMaxLockableRecord = 1'000'000'000;

constexpr Range record(std::uint32_t recno) { return {kBase + recno, 1}; }

}  // namespace xbase::lock
