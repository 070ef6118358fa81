// src/con/device.hpp — what the console needs of a screen-and-keyboard device: show a
// frame, read one key within a time, tell how much time has passed, sound a tone. The
// terminal (terminal.hpp) and the scripted device of tests (headless.hpp) implement it.
#pragma once

#include <chrono>
#include <optional>

#include "con/screen.hpp"

namespace con {

using Millis = std::chrono::milliseconds;

// Cursor shapes: hidden, underline, lower half (insert), full block (large, insert mode),
// upper half (large, overwrite mode).
enum class CursorShape { None = 0, Normal = 1, Insert = 2, Block = 3, UpperHalf = 4 };

struct Cursor {
  int row = 0, col = 0;
  CursorShape shape = CursorShape::Normal;
  friend bool operator==(const Cursor&, const Cursor&) = default;
};

// One key as read: its classic code and, where the device can tell, whether Shift was
// held and Caps Lock on (the Polish-letter keyboard needs both for Alt+letters).
struct KeyEvent {
  int code = 0;
  bool shift = false;
  bool capsLock = false;
  int row = -1, col = -1;  // mouse events: the cell under the pointer
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

class Device {
 public:
  virtual ~Device() = default;
  // Makes the device show `grid` and the cursor. A device sends only what changed.
  virtual void present(const Screen::Grid& grid, const Cursor& cursor) = 0;
  // The next key, waiting at most `timeout` (nullopt: as long as it takes). nullopt: none came.
  virtual std::optional<KeyEvent> readKey(std::optional<Millis> timeout) = 0;
  // Time since the device was opened, from a clock that never goes back.
  virtual Millis elapsed() const = 0;
  // A tone of `hertz` for `ticks` of 1/18.2 s; returns when it is over.
  virtual void tone(double hertz, double ticks) = 0;
  // Lends the device to another program and takes it back: a terminal leaves raw mode and
  // the alternate screen, then returns to both and redraws. Devices with nothing to lend
  // do nothing.
  virtual void lend() {}
  virtual void takeBack() {}
};

}  // namespace con
