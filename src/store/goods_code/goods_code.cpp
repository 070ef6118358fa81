// src/store/goods_code/goods_code.cpp — widening the goods codes of one table.
#include "store/goods_code/goods_code.hpp"

#include <algorithm>

#include "base/fault.hpp"

namespace store {
namespace {

constexpr std::size_t kOldLength = 4;
constexpr std::size_t kMinWidth = 4;
constexpr std::size_t kMaxWidth = 30;  // exclusive: names and notes are this wide or wider
constexpr std::size_t kReadBlock = std::size_t{1} << 20;
constexpr std::uint32_t kProgressEvery = 8192;

bool isBlank(std::byte b) { return b == std::byte{' '}; }

std::string textOf(std::span<const std::byte> cell) {
  std::string s(cell.size(), ' ');
  std::transform(cell.begin(), cell.end(), s.begin(), [](std::byte b) { return static_cast<char>(b); });
  return s;
}

bool allBlank(std::span<const std::byte> cell) { return std::all_of(cell.begin(), cell.end(), isBlank); }

}  // namespace

bool isGoodsCodeField(const xbase::dbf::Field& f) {
  return f.type == xbase::dbf::FieldType::Character && f.name.find("IND") != std::string::npos &&
         f.length >= kMinWidth && f.length < kMaxWidth;
}

bool widenGoodsCode(std::span<std::byte> cell) {
  const auto first = std::find_if_not(cell.begin(), cell.end(), isBlank);
  if (first == cell.end()) return false;
  const auto last = std::find_if_not(cell.rbegin(), cell.rend(), isBlank).base();
  const auto length = static_cast<std::size_t>(last - first);
  if (length != kOldLength || cell.size() < kOldLength + 1) return false;
  std::byte code[kOldLength];
  std::copy(first, last, code);
  std::fill(cell.begin(), cell.end(), std::byte{' '});
  cell[0] = std::byte{'0'};
  std::copy(code, code + kOldLength, cell.begin() + 1);
  return true;
}

std::vector<std::size_t> goodsCodeFields(const xbase::DbfFile& table) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < table.fields().size(); ++i)
    if (isGoodsCodeField(table.fields()[i])) found.push_back(i);
  return found;
}

GoodsCodePass widenGoodsCodes(xbase::DbfFile& table, const GoodsCodeHooks& hooks) {
  GoodsCodePass pass;
  const std::vector<std::size_t> fields = goodsCodeFields(table);
  std::vector<bool> sampled(fields.size(), false);
  for (std::size_t f : fields) pass.samples.push_back({f, {}});
  const std::uint32_t total = table.recordCount();
  if (hooks.progress) hooks.progress(total);
  if (fields.empty()) return pass;

  const std::size_t length = table.recordLength();
  std::vector<std::byte> block(std::max<std::size_t>(kReadBlock / length, 1) * length);
  bool changedAny = false;
  for (std::uint32_t r = 1, got; r <= total && (got = table.readRecords(r, block)) > 0;) {
    for (std::uint32_t i = 0; i < got && r <= total; ++i, ++r) {
      const std::span<std::byte> record = std::span<std::byte>(block).subspan(std::size_t{i} * length, length);
      bool changed = false;
      for (std::size_t k = 0; k < fields.size(); ++k) {
        const xbase::dbf::Field& field = table.fields()[fields[k]];
        const std::span<std::byte> cell = record.subspan(field.offset, field.length);
        if (!sampled[k] && (r == 1 || !allBlank(cell))) {
          pass.samples[k].first = textOf(cell);
          sampled[k] = !allBlank(cell);
        }
        changed = widenGoodsCode(cell) || changed;
      }
      ++pass.records;
      if (changed) {
        if (!changedAny && hooks.beforeFirstChange) hooks.beforeFirstChange();
        changedAny = true;
        if (const base::Status s = table.writeRecord(r, record); !s)
          throw base::IoFault(table.path(), "record " + std::to_string(r) + ": " + s.toString());
        ++pass.changed;
      }
      if (hooks.progress && r % kProgressEvery == 0) hooks.progress(total - r);
    }
  }
  if (hooks.progress) hooks.progress(0);
  return pass;
}

}  // namespace store
