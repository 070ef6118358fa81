// src/xbase/dbt_file.hpp — the memo file (.dbt) of a table: memo text in 512-byte blocks.
// Not here: the block number kept in the record (field_codec.hpp), opening and share locks
// (dbf_file.hpp). Layout:
//   block 0, bytes 0-3   u32 little-endian: the next free block, where the next memo goes
//   block 0, bytes 4-511 not read; kept. A new file gets the block size (512) at 4, zeros after
//   block b >= 1         memo text from the first byte of its block, through consecutive
//                        blocks, ended by 0x1A 0x1A. Readers stop at the first 0x1A, so the text
//                        can hold no 0x1A. Its length is stored nowhere.
// Rules:
//   M1  a memo of n bytes takes n / 512 + 1 blocks (room for one 0x1A). When n mod 512 = 511 the
//       second 0x1A falls into the next block, which the next memo may overwrite.
//   M2  the file is not padded: it may end right after the last terminator, so the next free
//       block is never derived from the file size.
//   M3  a rewrite that fits the memo's old blocks is written in place, never past them; a
//       longer one is written in place when its memo is the last in the file (extending it),
//       else at the next free block. Abandoned blocks are never reused (there is no free list).
//   M4  an empty memo takes no blocks: the record holds blanks and the old blocks are abandoned.
//   M5  in shared use the memo lock (byte 0) is held from reading the next free block until
//       the header has been advanced, so two stations never take the same blocks.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/result.hpp"
#include "sys/env.hpp"

namespace xbase {

inline constexpr std::size_t kMemoBlockSize = 512;

namespace dbt {
inline constexpr std::size_t kNextFreeOffset = 0, kBlockSizeOffset = 4;
std::uint32_t decodeNextFree(std::span<const std::byte> header, const std::string& file);  // throws Corrupt
void encodeNextFree(std::uint32_t next, std::span<std::byte, 4> out);
// The 512 bytes of block 0 of a new, empty memo file.
std::array<std::byte, kMemoBlockSize> newFileHeader();
}  // namespace dbt

class DbtFile {
 public:
  enum class Locking { None, Shared };
  DbtFile(std::unique_ptr<sys::File> file, Locking locking) : file_(std::move(file)), locking_(locking) {}

  // Writes block 0 of an empty memo file. Throws IoFault.
  static void initialise(sys::File& file);

  // The memo starting at `block`; "" for block 0. Throws Corrupt for a block past the end of
  // the file, IoFault when reading fails.
  std::string read(std::uint32_t block);
  // Stores `text` as the new content of the memo at `oldBlock` (0: none) and returns the block
  // to keep in the record (0 for empty text). Errc::Invalid for text holding 0x1A.
  // Throws IoFault when writing fails.
  base::Result<std::uint32_t> write(std::uint32_t oldBlock, std::string_view text);

  sys::File& file() { return *file_; }

 private:
  std::uint32_t readNextFree();
  std::size_t memoLength(std::uint32_t block);  // bytes before the first 0x1A
  void writeAt(std::uint64_t offset, std::span<const std::byte> data);

  std::unique_ptr<sys::File> file_;
  Locking locking_;
};

}  // namespace xbase
