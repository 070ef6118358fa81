// src/ui/halo.cpp — the message box of the main screen. The box is single-line, its bottom
// on row 21, its sides at columns 46 and 77; n lines stand from row 21 - n, column 47, so
// the top edge is row 20 - n. Lines are cut to the 30 columns inside.
#include "ui/halo.hpp"

#include <algorithm>
#include <cmath>

#include "con/box.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

constexpr std::size_t kVariantPosition = 88;  // 1-based position in _WERSJA
constexpr std::size_t kMaxLines = 9;
constexpr int kBottom = 21, kLeft = 46, kRight = 77;

int nextGroup(MessageBoxState& m, int count) {
  if (m.lastGroup == 0) {
    const double r = m.random ? m.random() : 0.0;
    return std::clamp(static_cast<int>(std::lround(r * count)), 1, count);
  }
  return m.lastGroup >= count ? 1 : m.lastGroup + 1;
}

}  // namespace

void showMainScreenMessages(Context& c) {
  const std::string variant = c.text("_WERSJA");
  if (variant.size() < kVariantPosition || variant[kVariantPosition - 1] != 'T') return;
  MessageBoxState& m = c.messages;
  if (m.source == nullptr) return;
  const std::optional<int> count = m.source->groupCount();
  if (!count || *count <= 0) return;
  const int group = nextGroup(m, *count);
  m.lastGroup = group;
  const std::optional<std::vector<std::string>> lines = m.source->groupLines(group);
  if (!lines || lines->empty()) return;
  const int n = static_cast<int>(std::min(lines->size(), kMaxLines));
  c.con.box({20 - n, kLeft, kBottom, kRight}, std::string(con::kSingleFrame) + " ");
  const con::Attr attr = c.con.attr(con::Slot::Standard);
  for (int i = 0; i < n; ++i)
    c.con.writeCells(kBottom - n + i, kLeft + 1, padRight((*lines)[static_cast<std::size_t>(i)], kRight - kLeft - 1),
                     attr);
}

}  // namespace ui
