// src/xbase/internal/ntx_page.cpp — one NTX B-tree page; layout and rules in ntx_page.hpp.
#include "xbase/internal/ntx_page.hpp"

#include <algorithm>
#include <vector>

#include "base/bytes.hpp"
#include "base/check.hpp"
#include "base/fault.hpp"

namespace xbase::ntx {

Page::Page(Geometry g, std::uint32_t offset) : g_(g), offset_(offset) {
  for (int i = 0; i <= g_.maxItems; ++i)
    setSlotOffset(i, static_cast<std::uint16_t>(g_.firstSlot() + static_cast<std::size_t>(i) * g_.itemSize()));
}

Page::Page(Geometry g, std::uint32_t offset, std::span<const std::byte, kPageSize> bytes) : g_(g), offset_(offset) {
  std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

int Page::keyCount() const { return base::loadU16le(bytes_.data()); }

void Page::setKeyCount(int k) {
  ZEL_CHECK(k >= 0 && k <= g_.maxItems);
  base::storeU16le(bytes_.data(), static_cast<std::uint16_t>(k));
}

std::uint16_t Page::slotOffset(int i) const { return base::loadU16le(bytes_.data() + 2 + 2 * i); }

void Page::setSlotOffset(int i, std::uint16_t off) { base::storeU16le(bytes_.data() + 2 + 2 * i, off); }

std::uint32_t Page::child(int i) const { return base::loadU32le(bytes_.data() + at(i)); }
std::uint32_t Page::recno(int i) const { return base::loadU32le(bytes_.data() + at(i) + 4); }

std::string_view Page::key(int i) const {
  return {reinterpret_cast<const char*>(bytes_.data() + at(i) + 8), g_.keySize};
}

void Page::setChild(int i, std::uint32_t c) { base::storeU32le(bytes_.data() + at(i), c); }
void Page::setRecno(int i, std::uint32_t r) { base::storeU32le(bytes_.data() + at(i) + 4, r); }

void Page::setKey(int i, std::string_view key) {
  std::byte* p = bytes_.data() + at(i) + 8;
  const std::size_t n = std::min<std::size_t>(key.size(), g_.keySize);
  for (std::size_t j = 0; j < n; ++j) p[j] = static_cast<std::byte>(key[j]);
  std::fill(p + n, p + g_.keySize, std::byte{0});
}

void Page::setItem(int i, std::uint32_t c, std::uint32_t r, std::string_view k) {
  setChild(i, c);
  setRecno(i, r);
  setKey(i, k);
}

void Page::insert(int i, std::uint32_t c, std::uint32_t r, std::string_view k) {
  const int n = keyCount();
  ZEL_CHECK(i >= 0 && i <= n && n < g_.maxItems);
  const std::uint16_t freeSlot = slotOffset(n + 1);
  for (int j = n + 1; j > i; --j) setSlotOffset(j, slotOffset(j - 1));
  setSlotOffset(i, freeSlot);
  setItem(i, c, r, k);
  setKeyCount(n + 1);
}

void Page::remove(int i) {
  const int n = keyCount();
  ZEL_CHECK(n > 0 && i >= 0 && i <= n);
  const std::uint16_t freed = slotOffset(i);
  for (int j = i; j < n; ++j) setSlotOffset(j, slotOffset(j + 1));
  setSlotOffset(n, freed);
  setKeyCount(n - 1);
}

void Page::checkInvariants(const std::string& file) const {
  const int n = keyCount();
  if (n > g_.maxItems) throw base::Corrupt(file, offset_, "P1: key count above the page maximum");
  std::vector<bool> seen(g_.maxItems + 1u, false);
  for (int i = 0; i <= g_.maxItems; ++i) {
    const std::size_t off = slotOffset(i);
    const std::size_t rel = off - g_.firstSlot();
    if (off < g_.firstSlot() || rel % g_.itemSize() != 0 || rel / g_.itemSize() > g_.maxItems ||
        seen[rel / g_.itemSize()])
      throw base::Corrupt(file, offset_ + 2 + 2 * i, "P2: offset table is not a permutation of the slots");
    seen[rel / g_.itemSize()] = true;
  }
  const bool leaf = child(0) == 0;
  for (int i = 0; i <= n; ++i) {
    const std::uint32_t c = child(i);
    if (leaf ? c != 0 : (c == 0 || c % kPageSize != 0))
      throw base::Corrupt(file, offset_ + slotOffset(i), "P5: child pointers mix leaf and interior");
  }
}

}  // namespace xbase::ntx
