// src/ui/browse/card_view.cpp — the card view: one row per described field of the current
// record, its label on the left and its value on the right. Up and Down move between the
// fields; Ctrl+Up, Ctrl+Down, PgUp and PgDn move to the previous or next record.
#include <algorithm>

#include "con/key_codes.hpp"
#include "ui/browse/engine.hpp"

namespace ui::browse {
namespace {

int labelWidth(const std::vector<Column>& cols) {
  int w = 1;
  for (const Column& col : cols) w = std::max(w, static_cast<int>(col.label.size()));
  return w;
}

}  // namespace

con::Rect Engine::cardBox() const {
  con::Rect r = options_.card;
  int valueWidth = 1;
  for (const Column& col : cardCols_) valueWidth = std::max(valueWidth, col.width);
  const int width = std::min(con::kCols, labelWidth(cardCols_) + valueWidth + 5);
  if (r.left < 0) r.left = (con::kCols - width) / 2;
  if (r.right < 0) r.right = std::min(con::kCols - 1, r.left + width - 1);
  if (r.bottom < 0) r.bottom = std::min(con::kRows - 1, r.top + static_cast<int>(cardCols_.size()) + 1);
  return r;
}

void Engine::drawCard() {
  const con::Rect box = cardBox();
  c_.con.box(box, options_.frame.substr(0, 8), colourAttr(1));
  if (options_.starTitle) c_.con.writeCells(box.top, box.left + 1, "*", colourAttr(1));
  const int lw = labelWidth(cardCols_);
  const int rows = box.bottom - box.top - 1;
  const int first = std::max(0, cardField_ - rows + 1);
  const auto [normal, current] = area_.eof() ? std::pair<int, int>{1, 2} : rowColours();
  for (int i = 0; i < rows; ++i) {
    const int f = first + i;
    std::string line(static_cast<std::size_t>(box.right - box.left - 1), ' ');
    c_.con.writeCells(box.top + 1 + i, box.left + 1, line, colourAttr(1));
    if (f >= static_cast<int>(cardCols_.size())) continue;
    const Column& col = cardCols_[static_cast<std::size_t>(f)];
    std::string label = col.label;
    label.resize(static_cast<std::size_t>(lw), ' ');
    c_.con.writeCells(box.top + 1 + i, box.left + 2, label, colourAttr(1));
    std::string value = area_.eof() ? std::string() : displayText(c_.rt, col, evalColumn(col));
    const int room = box.right - (box.left + 3 + lw);
    value.resize(static_cast<std::size_t>(std::max(0, std::min(col.width, room))), ' ');
    c_.con.writeCells(box.top + 1 + i, box.left + 3 + lw, value, colourAttr(f == cardField_ ? current : normal));
  }
}

bool Engine::cardKey(int key) {
  const int n = static_cast<int>(cardCols_.size());
  switch (key) {
    case con::key::kUp: cardField_ = std::max(0, cardField_ - 1); return true;
    case con::key::kDown: cardField_ = std::min(n - 1, cardField_ + 1); return true;
    case con::key::kHome: case con::key::kCtrlHome: cardField_ = 0; return true;
    case con::key::kEnd: case con::key::kCtrlEnd: cardField_ = std::max(0, n - 1); return true;
    case con::key::kCtrlUp: case con::key::kPgUp:
      area_.skip(-1);
      if (area_.bof()) area_.goTop();
      return true;
    case con::key::kCtrlDown: case con::key::kPgDn:
      area_.skip(1);
      if (area_.eof()) area_.goBottom();
      return true;
    case con::key::kCtrlPgUp: toTop(); return true;
    case con::key::kCtrlPgDn: toBottom(); return true;
    default: return false;
  }
}

}  // namespace ui::browse
