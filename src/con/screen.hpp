// src/con/screen.hpp — the 25 x 80 grid of cells the program draws on: each cell one CP852
// character byte and one attribute byte. Pure memory: nothing here reaches a device (the
// Console sends the grid to its Device), and nothing here knows about colours by name.
//
// Coordinates are (row, column), rows 0..24 and columns 0..79. Every operation clips its
// rectangle to the screen; a rectangle whose top is below its bottom or whose left is right
// of its right covers no cell.
// Saved regions hold 2 bytes per cell, character then attribute, row by row and left to
// right; restoring writes the bytes back in the same order into whatever rectangle it is
// given (the shape is not checked) and stops when the bytes run out.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "con/colour.hpp"

namespace con {

inline constexpr int kRows = 25;
inline constexpr int kCols = 80;

struct Cell {
  std::uint8_t ch = ' ';
  Attr attr = 0x07;
  friend bool operator==(const Cell&, const Cell&) = default;
};

struct Rect {
  int top = 0, left = 0, bottom = kRows - 1, right = kCols - 1;
  static Rect whole() { return {}; }
  Rect clipped() const;
  bool empty() const { return top > bottom || left > right; }
};

class Screen {
 public:
  using Grid = std::array<Cell, kRows * kCols>;

  Screen() = default;
  const Cell& at(int row, int col) const { return cells_[index(row, col)]; }  // REQUIRES: on screen
  const Grid& cells() const { return cells_; }

  // Writes the bytes from (row, col) to the right, cut at the right edge. Returns the column
  // after the last byte written, as the cursor stands after a text (may be 80).
  int write(int row, int col, std::string_view cp852, Attr attr);
  void put(int row, int col, std::uint8_t ch, Attr attr);  // one cell; off-screen is ignored
  void fill(Rect r, std::uint8_t ch, Attr attr);
  void recolour(Rect r, Attr attr);  // new attribute, same characters

  std::string save(Rect r) const;
  void restore(Rect r, std::string_view saved);

  // Moves the rectangle's contents up by `rows` (down when negative), blanking the rows that
  // open up with `attr`; 0 (or a count as tall as the rectangle) blanks it all.
  void scroll(Rect r, int rows, Attr attr);

 private:
  static std::size_t index(int row, int col) { return static_cast<std::size_t>(row * kCols + col); }
  Grid cells_{};
};

}  // namespace con
