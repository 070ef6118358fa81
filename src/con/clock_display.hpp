// src/con/clock_display.hpp — the running clock of the menu screens: "hh:mm:ss" with a
// leading zero of the hour shown as a blank (" 9:05:07"), redrawn whenever the second
// changes while the program waits for a key. It writes its eight cells and nothing else:
// the cursor does not move.
#pragma once

#include <string>

#include "con/screen.hpp"
#include "sys/clock.hpp"

namespace con {

std::string clockText(const sys::CivilTime& t);

class ClockDisplay {
 public:
  void start(int row, int col, Attr attr);
  void stop() { running_ = false; }
  bool running() const { return running_; }
  // Draws the time when it differs from what is shown. Returns true when it drew.
  bool tick(Screen& screen, const sys::CivilTime& now);

 private:
  bool running_ = false;
  int row_ = 0, col_ = 0;
  Attr attr_ = 0x07;
  std::string shown_;
};

}  // namespace con
