// src/xbase/internal/ntx_page.hpp — one 1024-byte NTX B-tree page: its bytes and the
// operations on one page. Not here: page 0 (ntx_header.hpp), the walk from the root and the
// splits and merges between pages (ntx_tree.hpp), locks and caching (ntx_file.hpp).
// Layout, integers little-endian:
//   0         u16        k, the number of keys in use
//   2         u16[M+1]   offsets of the item slots from the page start, in logical order
//   2*(M+2)   (M+1) x    item slot: u32 child page offset, u32 record number, key bytes
// M comes from the header and is never recomputed. After every public call:
//   P1  0 <= k <= M.
//   P2  the offset table is a permutation of the slot offsets. Insert and remove rotate
//       table entries and never move slot bytes, so a rewritten page differs only where
//       it must.
//   P3  items 0..k-1 are in index order (checked by the tree, which knows the order).
//   P4  item k holds only the rightmost child; its record number and key bytes are unused.
//   P5  a leaf has child 0 in items 0..k; an interior page a non-zero page offset in each.
// A free page links to the next free page through the child of its item 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "xbase/ntx_header.hpp"

namespace xbase::ntx {

struct Geometry {
  std::uint16_t maxItems;  // M
  std::uint16_t keySize;
  std::size_t itemSize() const { return keySize + 8u; }
  std::size_t firstSlot() const { return 2u * (maxItems + 2u); }
};

class Page {
 public:
  Page(Geometry g, std::uint32_t offset);  // an empty leaf: k = 0, identity table, zero slots
  Page(Geometry g, std::uint32_t offset, std::span<const std::byte, kPageSize> bytes);

  std::uint32_t offset() const { return offset_; }
  const Geometry& geometry() const { return g_; }
  std::span<const std::byte, kPageSize> bytes() const { return bytes_; }
  std::span<std::byte, kPageSize> mutableBytes() { return bytes_; }

  int keyCount() const;
  void setKeyCount(int k);                       // REQUIRES: 0 <= k <= M
  bool isLeaf() const { return child(0) == 0; }
  bool full() const { return keyCount() >= g_.maxItems; }

  std::uint16_t slotOffset(int i) const;         // REQUIRES: 0 <= i <= M
  void setSlotOffset(int i, std::uint16_t off);  // the caller keeps P2
  std::uint32_t child(int i) const;              // REQUIRES: 0 <= i <= M
  std::uint32_t recno(int i) const;
  std::string_view key(int i) const;
  void setChild(int i, std::uint32_t c);
  void setRecno(int i, std::uint32_t r);
  void setKey(int i, std::string_view key);      // cut or padded with NUL to the key size
  void setItem(int i, std::uint32_t child, std::uint32_t recno, std::string_view key);

  // Inserts an item before item i, taking the first unused slot and rotating the table.
  // REQUIRES: 0 <= i <= k < M.
  void insert(int i, std::uint32_t child, std::uint32_t recno, std::string_view key);
  // Removes item i (its child too); its slot moves to the unused end. REQUIRES: 0 <= i <= k, k > 0.
  void remove(int i);

  // P1, P2, P5; throws Corrupt(file, page offset, rule).
  void checkInvariants(const std::string& file) const;

 private:
  std::size_t at(int i) const { return slotOffset(i); }
  Geometry g_;
  std::uint32_t offset_;
  std::array<std::byte, kPageSize> bytes_{};
};

}  // namespace xbase::ntx
