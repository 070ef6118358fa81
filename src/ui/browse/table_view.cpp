// src/ui/browse/table_view.cpp — the table view: its geometry, the rows it shows and how
// they are drawn. The rows are found by walking from the current record as far as the view
// is tall (never further), so a redraw costs the same on any table size.
//
// Layout inside the frame: heading lines, a rule, the data rows, and, when a column has a
// footing, a rule and the footing line. Columns are separated by the frame's vertical
// side; the rules end in "╠" and "╣" and cross the separators with "╬".
#include <algorithm>
#include <cstdio>

#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "ui/browse/engine.hpp"

namespace ui::browse {
namespace {

std::string fitted(std::string text, int width) {
  text.resize(static_cast<std::size_t>(std::max(width, 0)), ' ');
  return text;
}

char frameChar(const std::string& frame, std::size_t i, char fallback) {
  return i < frame.size() ? frame[i] : fallback;
}

}  // namespace

con::Rect Engine::tableBox() const {
  con::Rect r = options_.table;
  if (r.left < 0 || r.right < 0) {
    int width = 1;
    for (const Column& col : tableCols_) width += col.width + 1;
    width = std::min(width, con::kCols);
    if (r.left < 0) r.left = r.right >= 0 ? std::max(0, r.right - width + 1) : (con::kCols - width) / 2;
    if (r.right < 0) r.right = std::min(con::kCols - 1, r.left + width - 1);
  }
  return r;
}

int Engine::headingRows() const {
  std::size_t n = 1;
  for (const Column& col : tableCols_) n = std::max(n, col.heading.size());
  return static_cast<int>(n);
}

int Engine::footingRows() const {
  for (const Column& col : tableCols_)
    if (!col.footing.empty()) return 2;
  return 0;
}

int Engine::dataTop() const { return tableBox().top + 1 + headingRows() + 1; }

int Engine::dataHeight() const {
  const con::Rect box = tableBox();
  return std::max(1, box.bottom - 1 - footingRows() - dataTop() + 1);
}

std::vector<int> Engine::visibleColumns() const {
  const con::Rect box = tableBox();
  const int inner = box.right - box.left - 1;
  std::vector<int> out;
  int used = 0;
  auto fits = [&](int i) {
    const int w = tableCols_[static_cast<std::size_t>(i)].width + (out.empty() ? 0 : 1);
    if (!out.empty() && used + w > inner) return false;
    used += w;
    out.push_back(i);
    return true;
  };
  const int n = static_cast<int>(tableCols_.size());
  for (int i = 0; i < std::min(freeze_, n); ++i)
    if (!fits(i)) return out;
  for (int i = std::max(firstScrolled_, freeze_); i < n; ++i)
    if (!fits(i)) break;
  return out;
}

void Engine::fitColumn() {
  const int n = static_cast<int>(tableCols_.size());
  if (n == 0) return;
  column_ = std::clamp(column_, 0, n - 1);
  freeze_ = std::clamp(freeze_, 0, n - 1);
  if (column_ < freeze_) return;
  if (column_ < firstScrolled_ || firstScrolled_ < freeze_) firstScrolled_ = std::max(freeze_, std::min(column_, firstScrolled_));
  for (;;) {
    const std::vector<int> v = visibleColumns();
    if (std::find(v.begin(), v.end(), column_) != v.end() || firstScrolled_ >= column_) break;
    ++firstScrolled_;
  }
}

void Engine::refill() {
  rows_.clear();
  const int height = dataHeight();
  if (area_.eof()) {
    // On the empty row after the last record: the last records above it, when there are any.
    const std::uint32_t phantom = area_.recno();
    for (area_.skip(-1); !area_.eof() && !area_.bof() && static_cast<int>(rows_.size()) < height - 1; area_.skip(-1))
      rows_.insert(rows_.begin(), area_.recno());
    rowPos_ = static_cast<int>(rows_.size());
    area_.goTo(phantom);
    return;
  }
  const std::uint32_t current = area_.recno();
  const int want = std::clamp(rowPos_, 0, height - 1);
  int back = 0;
  while (back < want) {
    area_.skip(-1);
    if (area_.bof()) break;
    ++back;
  }
  for (int i = 0; i < height; ++i) {
    rows_.push_back(area_.recno());
    area_.skip(1);
    if (area_.eof()) break;
  }
  rowPos_ = back;
  area_.goTo(current);
}

std::pair<int, int> Engine::rowColours() {
  if (marked(area_.recno())) return {8, 2};
  if (options_.colours.isNil()) return {1, 2};
  const rt::Value v = callback(options_.colours);
  if (v.isArray() && v.array()->size() >= 2 && (*v.array())[0].isNumber() && (*v.array())[1].isNumber())
    return {static_cast<int>((*v.array())[0].num()), static_cast<int>((*v.array())[1].num())};
  if (v.isNumber()) return {static_cast<int>(v.num()), 2};
  return {1, 2};
}

std::string Engine::cellText(const Column& col) { return fitted(displayText(c_.rt, col, evalColumn(col)), col.width); }

void Engine::drawRow(int i) {
  const con::Rect box = tableBox();
  const int row = dataTop() + i;
  const con::Attr plain = colourAttr(1);
  const std::string side(1, frameChar(options_.frame, 3, '|'));
  if (i >= static_cast<int>(rows_.size())) {
    c_.con.writeCells(row, box.left + 1, fitted("", box.right - box.left - 1), plain);
    int x = box.left + 1;
    const std::vector<int> cols = visibleColumns();
    for (std::size_t k = 0; k < cols.size(); ++k) {
      x += tableCols_[static_cast<std::size_t>(cols[k])].width;
      if (k + 1 < cols.size() && x < box.right) c_.con.writeCells(row, x++, side, plain);
    }
    return;
  }
  area_.goTo(rows_[static_cast<std::size_t>(i)]);
  const auto [normal, current] = rowColours();
  int x = box.left + 1;
  const std::vector<int> cols = visibleColumns();
  for (std::size_t k = 0; k < cols.size() && x < box.right; ++k) {
    const Column& col = tableCols_[static_cast<std::size_t>(cols[k])];
    const bool here = i == rowPos_ && cols[k] == column_ && view_ == ViewKind::Table;
    std::string text = cellText(col);
    text.resize(static_cast<std::size_t>(std::min(col.width, box.right - x)));
    c_.con.writeCells(row, x, text, colourAttr(here ? current : normal));
    x += static_cast<int>(text.size());
    if (k + 1 < cols.size() && x < box.right) c_.con.writeCells(row, x++, side, plain);
  }
  if (x < box.right) c_.con.writeCells(row, x, fitted("", box.right - x), plain);
}

void Engine::drawRows() {
  const std::uint32_t current = area_.recno();  // the phantom record's number when at the end
  for (int i = 0; i < dataHeight(); ++i) drawRow(i);
  area_.goTo(current);
}

void Engine::drawHeadings() {
  const con::Rect box = tableBox();
  const con::Attr plain = colourAttr(1);
  const std::vector<int> cols = visibleColumns();
  const std::string& f = options_.frame;
  const int rules[] = {box.top + 1 + headingRows(), footingRows() ? box.bottom - 2 : -1};
  for (int h = 0; h < headingRows(); ++h) {
    int x = box.left + 1;
    std::string line;
    for (std::size_t k = 0; k < cols.size(); ++k) {
      const Column& col = tableCols_[static_cast<std::size_t>(cols[k])];
      line += fitted(static_cast<std::size_t>(h) < col.heading.size() ? col.heading[static_cast<std::size_t>(h)] : "", col.width);
      if (k + 1 < cols.size()) line += frameChar(f, 3, '|');
    }
    c_.con.writeCells(box.top + 1 + h, x, fitted(line, box.right - box.left - 1), plain);
  }
  for (const int r : rules) {
    if (r < 0) continue;
    std::string rule(1, frameChar(f, 10, '+'));
    for (std::size_t k = 0; k < cols.size(); ++k) {
      rule += std::string(static_cast<std::size_t>(tableCols_[static_cast<std::size_t>(cols[k])].width), frameChar(f, 1, '='));
      if (k + 1 < cols.size()) rule += "\xCE";  // ╬
    }
    rule.resize(static_cast<std::size_t>(box.right - box.left), frameChar(f, 1, '='));
    rule += frameChar(f, 9, '+');
    c_.con.writeCells(r, box.left, rule, plain);
  }
  // Where a separator meets the bottom edge.
  int x = box.left + 1;
  for (std::size_t k = 0; k + 1 < cols.size(); ++k) {
    x += tableCols_[static_cast<std::size_t>(cols[k])].width;
    if (x < box.right) c_.con.writeCells(box.bottom, x, std::string(1, frameChar(f, 11, '+')), plain);
    ++x;
  }
}

void Engine::drawFooting() {
  if (!footingRows()) return;
  const con::Rect box = tableBox();
  const std::vector<int> cols = visibleColumns();
  std::string line;
  for (std::size_t k = 0; k < cols.size(); ++k) {
    const Column& col = tableCols_[static_cast<std::size_t>(cols[k])];
    std::string text;
    if (!col.footing.empty()) {
      db::Workspace::Selection sel(area_.workspace(), area_.number());
      text = displayText(c_.rt, col, c_.rt.evaluate(col.footing));
    }
    line += fitted(text, col.width);
    if (k + 1 < cols.size()) line += frameChar(options_.frame, 3, '|');
  }
  c_.con.writeCells(box.bottom - 1, box.left + 1, fitted(line, box.right - box.left - 1), colourAttr(1));
}

void Engine::DRAWBOX() {
  const con::Rect box = tableBox();
  std::string frame = options_.frame.substr(0, 8);
  c_.con.box(box, frame, colourAttr(1));
  if (options_.starTitle) c_.con.writeCells(box.top, box.left + 1, "*", colourAttr(1));
  if (removedWidth_ >= 0 && box.right - box.left > 8) {
    char text[16];
    std::snprintf(text, sizeof text, "(%03d)", std::min(removedWidth_, 999));
    c_.con.writeCells(box.top, box.right - 6, text, colourAttr(1));
  }
}

void Engine::DRAWINDEX() {
  const con::Rect box = view_ == ViewKind::Table ? tableBox() : cardBox();
  std::string name;
  for (const OrderChoice& o : options_.orders)
    if (o.order == area_.orderNumber()) name = o.name;
  if (name.empty()) return;
  c_.con.writeCells(box.top, box.left + 2, " " + name + " ", colourAttr(1));
}

void Engine::DRAWTRACE() {
  const con::Rect box = view_ == ViewKind::Table ? tableBox() : cardBox();
  if (area_.eof()) return;
  const std::string text = " " + std::to_string(area_.recno()) + " ";
  const int col = box.right - 1 - static_cast<int>(text.size());
  if (col > box.left) c_.con.writeCells(box.bottom, col, text, colourAttr(1));
}

void Engine::DRAWCOMMENT() {
  const con::Rect box = view_ == ViewKind::Table ? tableBox() : cardBox();
  std::vector<std::string> lines;
  const rt::Value& comment = view_ == ViewKind::Table ? options_.comment : options_.cardComment;
  rt::Value v = comment.isBlock() ? callback(comment) : comment;
  if (v.isText()) lines.push_back(v.text());
  if (v.isArray())
    for (const rt::Value& line : *v.array()) lines.push_back(line.isText() ? line.text() : std::string());
  const std::vector<Column>& cols = view_ == ViewKind::Table ? tableCols_ : cardCols_;
  const int current = view_ == ViewKind::Table ? column_ : cardField_;
  if (current >= 0 && current < static_cast<int>(cols.size()) && !cols[static_cast<std::size_t>(current)].komentarz.empty())
    lines.push_back(cols[static_cast<std::size_t>(current)].komentarz);
  for (int i = 0; i < commentLines_; ++i) {
    const int row = box.bottom + 1 + i;
    if (row >= con::kRows) break;
    const std::string text = static_cast<std::size_t>(i) < lines.size() ? lines[static_cast<std::size_t>(i)] : "";
    c_.con.writeCells(row, box.left, fitted(text, box.right - box.left + 1), colourAttr(1));
  }
}

void Engine::redraw() {
  c_.con.beginUpdate();
  if (view_ == ViewKind::Table) {
    fitColumn();
    refill();
    DRAWBOX();
    drawHeadings();
    drawRows();
    drawFooting();
  } else {
    drawCard();
  }
  DRAWINDEX();
  DRAWTRACE();
  DRAWCOMMENT();
  drawTotal();
  c_.con.endUpdate();
}

void Engine::moveRows(long n) {
  if (area_.eof() && n > 0) return;
  const int height = dataHeight();
  long moved = 0;
  const std::uint32_t start = area_.recno();
  area_.skip(n);
  if (n > 0 && area_.eof()) {
    area_.goBottom();
    rowPos_ = height - 1;
    return;
  }
  if (n < 0 && area_.bof()) {
    rowPos_ = 0;
    return;
  }
  moved = (n == 1 || n == -1) ? n : 0;  // a page keeps the row; a step moves it
  (void)start;
  rowPos_ = static_cast<int>(std::clamp<long>(rowPos_ + moved, 0, height - 1));
}

void Engine::toTop() {
  if (!options_.goTop.isNil())
    callback(options_.goTop);
  else
    area_.goTop();
  rowPos_ = 0;
}

void Engine::toBottom() {
  if (!options_.goBottom.isNil())
    callback(options_.goBottom);
  else
    area_.goBottom();
  rowPos_ = dataHeight() - 1;
}

}  // namespace ui::browse
