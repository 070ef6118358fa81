// src/xbase/ntx_header.cpp — page 0 of an NTX index; layout in ntx_header.hpp.
#include "xbase/ntx_header.hpp"

#include <algorithm>
#include <cstring>

#include "base/bytes.hpp"
#include "base/fault.hpp"

namespace xbase::ntx {
namespace {

constexpr std::uint16_t kKnownBits = sig::kClassic | sig::kForCondition | sig::kPartial | sig::kLockScheme2;

std::string readText(std::span<const std::byte, kPageSize> in, std::size_t at, std::size_t max) {
  std::string s;
  for (std::size_t i = 0; i < max && in[at + i] != std::byte{0}; ++i) s.push_back(static_cast<char>(in[at + i]));
  return s;
}

void writeText(std::span<std::byte, kPageSize> out, std::size_t at, std::size_t max, const std::string& s) {
  std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(at), max, std::byte{0});
  const std::size_t n = std::min(s.size(), max - 1);
  for (std::size_t i = 0; i < n; ++i) out[at + i] = static_cast<std::byte>(s[i]);
}

}  // namespace

std::uint16_t maxItemsFor(std::uint16_t keySize) {
  int m = static_cast<int>((kPageSize - 2) / (keySize + 10u)) - 1;
  if (m > 2 && m % 2 == 1) --m;
  return static_cast<std::uint16_t>(std::max(m, 2));
}

Header newHeader(std::string keyExpr, std::string forExpr, std::uint16_t keySize,
                 std::uint16_t keyDecimals, bool unique, bool descending) {
  Header h;
  h.signature = forExpr.empty() ? sig::kClassic : static_cast<std::uint16_t>(sig::kClassic | sig::kForCondition);
  h.keySize = keySize;
  h.keyDecimals = keyDecimals;
  h.itemSize = static_cast<std::uint16_t>(keySize + 8);
  h.maxItems = maxItemsFor(keySize);
  h.halfPage = static_cast<std::uint16_t>(h.maxItems / 2);
  h.keyExpr = std::move(keyExpr);
  h.forExpr = std::move(forExpr);
  h.unique = unique;
  h.descending = descending;
  return h;
}

Header decodeHeader(std::span<const std::byte, kPageSize> in, const std::string& file) {
  Header h;
  std::copy(in.begin(), in.end(), h.raw.begin());
  const std::byte* p = in.data();
  h.signature = base::loadU16le(p + off::kSignature);
  h.version = base::loadU16le(p + off::kVersion);
  h.root = base::loadU32le(p + off::kRoot);
  h.freeList = base::loadU32le(p + off::kFreeList);
  h.itemSize = base::loadU16le(p + off::kItemSize);
  h.keySize = base::loadU16le(p + off::kKeySize);
  h.keyDecimals = base::loadU16le(p + off::kKeyDecimals);
  h.maxItems = base::loadU16le(p + off::kMaxItems);
  h.halfPage = base::loadU16le(p + off::kHalfPage);
  h.keyExpr = readText(in, off::kKeyExpr, off::kExprSize);
  h.unique = in[off::kUnique] != std::byte{0};
  h.descending = in[off::kDescending] != std::byte{0};
  if (h.hasFor()) h.forExpr = readText(in, off::kForExpr, off::kExprSize);

  const bool known = h.signature == sig::kOld || ((h.signature & 6) == 6 && (h.signature & ~kKnownBits) == 0);
  if (!known) throw base::Corrupt(file, off::kSignature, "not an NTX index signature");
  if (h.keySize == 0 || h.keySize > kMaxKeySize)
    throw base::Corrupt(file, off::kKeySize, "key size outside 1..256");
  if (h.itemSize != h.keySize + 8) throw base::Corrupt(file, off::kItemSize, "item size is not key size + 8");
  const std::size_t need = 2 + (h.maxItems + 1u) * (2u + h.itemSize);
  if (h.maxItems < 2 || need > kPageSize)
    throw base::Corrupt(file, off::kMaxItems, "keys per page do not fit a page");
  if (h.root == 0 || h.root % kPageSize != 0) throw base::Corrupt(file, off::kRoot, "root is not a page offset");
  if (h.freeList % kPageSize != 0) throw base::Corrupt(file, off::kFreeList, "free list is not a page offset");
  return h;
}

void encodeHot(const Header& h, std::span<std::byte, kHeaderHotSize> out) {
  base::storeU16le(out.data() + off::kSignature, h.signature);
  base::storeU16le(out.data() + off::kVersion, h.version);
  base::storeU32le(out.data() + off::kRoot, h.root);
  base::storeU32le(out.data() + off::kFreeList, h.freeList);
}

void encodeHeader(const Header& h, std::span<std::byte, kPageSize> out) {
  std::copy(h.raw.begin(), h.raw.end(), out.begin());
  encodeHot(h, out.first<kHeaderHotSize>());
  std::byte* p = out.data();
  base::storeU16le(p + off::kItemSize, h.itemSize);
  base::storeU16le(p + off::kKeySize, h.keySize);
  base::storeU16le(p + off::kKeyDecimals, h.keyDecimals);
  base::storeU16le(p + off::kMaxItems, h.maxItems);
  base::storeU16le(p + off::kHalfPage, h.halfPage);
  writeText(out, off::kKeyExpr, off::kExprSize, h.keyExpr);
  out[off::kUnique] = std::byte{h.unique ? std::uint8_t{1} : std::uint8_t{0}};
  out[off::kDescending] = std::byte{h.descending ? std::uint8_t{1} : std::uint8_t{0}};
  writeText(out, off::kForExpr, off::kExprSize, h.forExpr);
}

}  // namespace xbase::ntx
