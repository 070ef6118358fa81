// src/con/console.cpp — drawing, colour and cursor state of the console; the key reads are
// in console_keys.cpp.
#include "con/console.hpp"

#include <cmath>

namespace con {

KeyWait KeyWait::seconds(double s) {
  if (!(s > 0)) return none();
  return KeyWait(Millis(static_cast<long long>(std::llround(s * 1000.0))));
}

Console::Console(Device& device, const sys::Clock& clock) : device_(device), time_(clock) {}

void Console::changed() {
  if (depth_ == 0) device_.present(screen_.cells(), cursor_);
}

void Console::write(int row, int col, std::string_view cp852) { writeAttr(row, col, cp852, colours_.standard()); }

void Console::write(int row, int col, std::string_view cp852, Slot slot) {
  writeAttr(row, col, cp852, colours_.slot(slot));
}

void Console::writeAttr(int row, int col, std::string_view cp852, Attr attr) {
  const int end = screen_.write(row, col, cp852, attr);
  cursor_.row = row;
  cursor_.col = end;
  changed();
}

void Console::writeCells(int row, int col, std::string_view cp852, Attr attr) {
  screen_.write(row, col, cp852, attr);
  changed();
}

void Console::fill(Rect r, std::uint8_t ch, Attr attr) {
  screen_.fill(r, ch, attr);
  changed();
}

void Console::box(Rect r, std::string_view frame) { box(r, frame, colours_.standard()); }

void Console::box(Rect r, std::string_view frame, Attr attr) {
  drawBox(screen_, r, frame, attr);
  changed();
}

void Console::clearRow(int row, int col) { clear({row, col, row, kCols - 1}); }

void Console::clearFrom(int row, int col) { clear({row, col, kRows - 1, kCols - 1}); }

void Console::clear(Rect r) {
  screen_.fill(r, ' ', colours_.standard());
  cursor_.row = r.top;
  cursor_.col = r.left;
  changed();
}

void Console::clearScreen() { clear(Rect::whole()); }

void Console::recolour(Rect r, Attr attr) {
  screen_.recolour(r, attr);
  changed();
}

void Console::scroll(Rect r, int rows) {
  screen_.scroll(r, rows, colours_.standard());
  changed();
}

std::string Console::save(Rect r) const { return screen_.save(r); }

void Console::restore(Rect r, std::string_view saved) {
  screen_.restore(r, saved);
  changed();
}

void Console::beginUpdate() { ++depth_; }

void Console::endUpdate() {
  if (depth_ == 0) return;
  if (--depth_ == 0) changed();
}

void Console::refresh() { changed(); }

std::string Console::setColour(std::string_view colourString) {
  std::string previous = colours_.text();
  colours_.apply(colourString);
  return previous;
}

void Console::moveCursor(int row, int col) {
  cursor_.row = row;
  cursor_.col = col;
  changed();
}

CursorShape Console::setCursorShape(CursorShape shape) {
  const CursorShape previous = cursor_.shape;
  cursor_.shape = shape;
  changed();
  return previous;
}

void Console::startClock(int row, int col, Attr attr) {
  clock_.start(row, col, attr);
  tickClock();
}

void Console::tickClock() {
  if (clock_.tick(screen_, time_.now())) changed();
}

}  // namespace con
