// src/con/ansi_renderer.cpp — frame differences as ANSI escape sequences.
#include "con/ansi_renderer.hpp"

#include <algorithm>

#include "con/glyph.hpp"

namespace con {

namespace {

int ansiIndex(int dos) { return (dos & 2) | ((dos & 1) << 2) | ((dos & 4) >> 2); }

void appendNumber(std::string& out, int n) { out += std::to_string(n); }

void appendMove(std::string& out, int row, int col) {
  out += "\x1B[";
  appendNumber(out, row + 1);
  out += ';';
  appendNumber(out, col + 1);
  out += 'H';
}

}  // namespace

AnsiRenderer::AnsiRenderer(RenderOptions options) : options_(options) {
  for (int b = 0; b < 256; ++b) appendUtf8(utf8_[static_cast<std::size_t>(b)], glyphOf(static_cast<std::uint8_t>(b)));
}

void AnsiRenderer::appendCell(std::string& out, const Cell& cell) {
  if (cell.attr != attr_) {
    const int fg = cell.attr & 0x0F;
    const int bg = (cell.attr >> 4) & 0x0F;  // bit 7 is the bright background
    out += "\x1B[";
    appendNumber(out, (fg & 8 ? 90 : 30) + ansiIndex(fg & 7));
    out += ';';
    appendNumber(out, (bg & 8 ? 100 : 40) + ansiIndex(bg & 7));
    out += 'm';
    attr_ = cell.attr;
  }
  out += utf8_[cell.ch];
}

void AnsiRenderer::appendCursor(std::string& out, const Cursor& cursor) {
  const bool visible = cursor.shape != CursorShape::None;
  const bool wasVisible = shownCursor_ && shownCursor_->shape != CursorShape::None;
  if (!shownCursor_ || cursor.shape != shownCursor_->shape) {
    if (visible) {
      if (options_.linuxConsole) {
        constexpr const char* kLinux[] = {"", "\x1B[?2c", "\x1B[?4c", "\x1B[?6c", "\x1B[?5c"};
        out += kLinux[static_cast<int>(cursor.shape)];
      } else {
        constexpr const char* kXterm[] = {"", "\x1B[3 q", "\x1B[5 q", "\x1B[1 q", "\x1B[2 q"};
        out += kXterm[static_cast<int>(cursor.shape)];
      }
    }
    if (visible != wasVisible || !shownCursor_) out += visible ? "\x1B[?25h" : "\x1B[?25l";
  }
  shownCursor_ = cursor;
}

std::string AnsiRenderer::render(const Screen::Grid& grid, const Cursor& cursor) {
  std::string out;
  const bool whole = !shown_;
  int atRow = -1, atCol = -1;  // where the terminal's cursor stands after the last cell sent
  bool drew = false;
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      const auto i = static_cast<std::size_t>(row * kCols + col);
      if (!whole && grid[i] == (*shown_)[i]) continue;
      if (row != atRow || col != atCol) appendMove(out, row, col);
      appendCell(out, grid[i]);
      atRow = row;
      atCol = col + 1;
      drew = true;
    }
  }
  shown_ = grid;
  const int col = std::clamp(cursor.col, 0, kCols - 1);
  const int row = std::clamp(cursor.row, 0, kRows - 1);
  const bool moved = !shownCursor_ || shownCursor_->row != cursor.row || shownCursor_->col != cursor.col;
  if (drew || moved) appendMove(out, row, col);
  appendCursor(out, cursor);
  return out;
}

}  // namespace con
