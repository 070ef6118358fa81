// src/con/screen.cpp — the cell grid: writing, filling, save/restore and scrolling.
#include "con/screen.hpp"

#include <algorithm>

namespace con {

Rect Rect::clipped() const {
  return {std::max(top, 0), std::max(left, 0), std::min(bottom, kRows - 1), std::min(right, kCols - 1)};
}

int Screen::write(int row, int col, std::string_view cp852, Attr attr) {
  int c = col;
  for (char ch : cp852) {
    put(row, c, static_cast<std::uint8_t>(ch), attr);
    ++c;
  }
  return c;
}

void Screen::put(int row, int col, std::uint8_t ch, Attr attr) {
  if (row < 0 || row >= kRows || col < 0 || col >= kCols) return;
  cells_[index(row, col)] = Cell{ch, attr};
}

void Screen::fill(Rect r, std::uint8_t ch, Attr attr) {
  const Rect c = r.clipped();
  for (int row = c.top; row <= c.bottom; ++row)
    for (int col = c.left; col <= c.right; ++col) cells_[index(row, col)] = Cell{ch, attr};
}

void Screen::recolour(Rect r, Attr attr) {
  const Rect c = r.clipped();
  for (int row = c.top; row <= c.bottom; ++row)
    for (int col = c.left; col <= c.right; ++col) cells_[index(row, col)].attr = attr;
}

std::string Screen::save(Rect r) const {
  const Rect c = r.clipped();
  std::string out;
  if (c.empty()) return out;
  out.reserve(static_cast<std::size_t>((c.bottom - c.top + 1) * (c.right - c.left + 1) * 2));
  for (int row = c.top; row <= c.bottom; ++row)
    for (int col = c.left; col <= c.right; ++col) {
      const Cell& cell = cells_[index(row, col)];
      out += static_cast<char>(cell.ch);
      out += static_cast<char>(cell.attr);
    }
  return out;
}

void Screen::restore(Rect r, std::string_view saved) {
  const Rect c = r.clipped();
  std::size_t i = 0;
  for (int row = c.top; row <= c.bottom; ++row)
    for (int col = c.left; col <= c.right; ++col) {
      if (i + 2 > saved.size()) return;
      cells_[index(row, col)] = Cell{static_cast<std::uint8_t>(saved[i]), static_cast<Attr>(saved[i + 1])};
      i += 2;
    }
}

void Screen::scroll(Rect r, int rows, Attr attr) {
  const Rect c = r.clipped();
  if (c.empty()) return;
  const int height = c.bottom - c.top + 1;
  if (rows == 0 || rows >= height || -rows >= height) return fill(c, ' ', attr);
  const int width = c.right - c.left + 1;
  auto copyRow = [&](int from, int to) {
    std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(index(from, c.left)), width,
                cells_.begin() + static_cast<std::ptrdiff_t>(index(to, c.left)));
  };
  if (rows > 0) {
    for (int row = c.top; row + rows <= c.bottom; ++row) copyRow(row + rows, row);
    fill({c.bottom - rows + 1, c.left, c.bottom, c.right}, ' ', attr);
  } else {
    for (int row = c.bottom; row + rows >= c.top; --row) copyRow(row + rows, row);
    fill({c.top, c.left, c.top - rows - 1, c.right}, ' ', attr);
  }
}

}  // namespace con
