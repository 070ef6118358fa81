// src/xbase/ntx_header.hpp — page 0 of an NTX index: decode, encode, validate.
// Not here: the key pages (internal/ntx_page.hpp), locking and caching (ntx_file.hpp).
// Layout, integers little-endian:
//   0    u16   signature: 0x0006 (0x0003 in older files); bit 0x0001 = FOR condition present,
//              0x0008 = partial index, 0x0010 = made under the extended lock scheme
//   2    u16   change counter, +1 (mod 65536) every time the header is rewritten after a change
//   4    u32   byte offset of the root page
//   8    u32   byte offset of the first free page, 0 = none
//   12   u16   item size = key size + 8
//   14   u16   key size
//   16   u16   key decimals
//   18   u16   M, the most keys a page holds
//   20   u16   M / 2, the fewest keys a page other than the root holds
//   22   256   key expression, NUL-terminated
//   278  u8    1 = UNIQUE
//   280  u8    1 = descending order
//   282  256   FOR expression, NUL-terminated (meaningful with signature bit 0x0001)
//   538  12    order name, NUL-terminated
// Ordinary updates rewrite only bytes 0..11; bytes this code does not interpret are kept.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace xbase::ntx {

inline constexpr std::size_t kPageSize = 1024;
inline constexpr std::size_t kHeaderHotSize = 12;  // signature, counter, root, free list
inline constexpr std::size_t kMaxKeySize = 256;
inline constexpr std::uint64_t kIndexLockOffset = 1000000000;

namespace off {
inline constexpr std::size_t kSignature = 0, kVersion = 2, kRoot = 4, kFreeList = 8, kItemSize = 12,
                             kKeySize = 14, kKeyDecimals = 16, kMaxItems = 18, kHalfPage = 20,
                             kKeyExpr = 22, kUnique = 278, kDescending = 280, kForExpr = 282,
                             kOrderName = 538;
inline constexpr std::size_t kExprSize = 256, kOrderNameSize = 12;
}  // namespace off

namespace sig {
inline constexpr std::uint16_t kClassic = 0x0006, kOld = 0x0003, kForCondition = 0x0001,
                               kPartial = 0x0008, kLockScheme2 = 0x0010;
}

struct Header {
  std::uint16_t signature = sig::kClassic;
  std::uint16_t version = 0;
  std::uint32_t root = 0;
  std::uint32_t freeList = 0;
  std::uint16_t itemSize = 0;
  std::uint16_t keySize = 0;
  std::uint16_t keyDecimals = 0;
  std::uint16_t maxItems = 0;
  std::uint16_t halfPage = 0;
  std::string keyExpr;
  std::string forExpr;
  bool unique = false;
  bool descending = false;
  std::array<std::byte, kPageSize> raw{};  // every byte as read; encode writes over it

  bool hasFor() const { return (signature & sig::kForCondition) != 0; }
};

// The largest M for a key size: (M+1) slots of keySize + 8 bytes and M+1 offsets after
// the 2-byte count fit a page, even, as index files of this kind are created.
std::uint16_t maxItemsFor(std::uint16_t keySize);

// A header for a new, empty index; root, free list and counter are left 0.
Header newHeader(std::string keyExpr, std::string forExpr, std::uint16_t keySize,
                 std::uint16_t keyDecimals, bool unique, bool descending);

// Throws Corrupt(file, offset, rule) for an unknown signature, sizes that do not fit a page,
// or a root that is not a page offset.
Header decodeHeader(std::span<const std::byte, kPageSize> in, const std::string& file);
void encodeHeader(const Header& h, std::span<std::byte, kPageSize> out);
// Only bytes 0..11, as written after an ordinary update.
void encodeHot(const Header& h, std::span<std::byte, kHeaderHotSize> out);

}  // namespace xbase::ntx
