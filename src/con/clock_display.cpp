// src/con/clock_display.cpp — the running clock.
#include "con/clock_display.hpp"

#include <cstdio>

namespace con {

std::string clockText(const sys::CivilTime& t) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%2d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
  return buf;
}

void ClockDisplay::start(int row, int col, Attr attr) {
  running_ = true;
  row_ = row;
  col_ = col;
  attr_ = attr;
  shown_.clear();
}

bool ClockDisplay::tick(Screen& screen, const sys::CivilTime& now) {
  if (!running_) return false;
  std::string text = clockText(now);
  if (text == shown_) return false;
  screen.write(row_, col_, text, attr_);
  shown_ = std::move(text);
  return true;
}

}  // namespace con
