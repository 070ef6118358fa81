// src/con/console.hpp — the console the program draws on and reads keys from: the screen
// grid, the colour setting, the cursor, the type-ahead buffer, the hot keys, the Alt+C
// break, tones and the running clock, over one Device (a terminal, or a script in tests).
//
// Output: every drawing call changes the grid and, unless an update is open, shows it on
// the device at once. beginUpdate()/endUpdate() nest; nothing reaches the device until the
// outermost endUpdate(), which shows the final state in one go.
//
// Keys, in the order they are taken: the type-ahead buffer (filled by the program), then the
// device. inkey() is a plain read; waitKey() is a wait state, where a bound hot key runs its
// handler and the wait goes on. Both take a KeyWait: none (return at once), forever, or a
// number of seconds (tenths allowed). While a key is awaited the clock, when running, is
// redrawn each second. With the break switch on, Alt+C typed on the keyboard interrupts: the
// break handler runs, or, without one, Interrupted is thrown.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "con/box.hpp"
#include "con/clock_display.hpp"
#include "con/colour.hpp"
#include "con/device.hpp"
#include "con/key_bindings.hpp"
#include "con/screen.hpp"
#include "sys/clock.hpp"

namespace con {

class KeyWait {
 public:
  static KeyWait none() { return KeyWait(Millis(0)); }
  static KeyWait forever() { return KeyWait(std::nullopt); }
  static KeyWait seconds(double s);
  // The classic argument of a key wait: 0 waits for ever, anything else that many seconds.
  static KeyWait classic(double s) { return s == 0 ? forever() : seconds(s); }
  const std::optional<Millis>& limit() const { return limit_; }

 private:
  explicit KeyWait(std::optional<Millis> limit) : limit_(limit) {}
  std::optional<Millis> limit_;
};

class Interrupted : public std::runtime_error {
 public:
  Interrupted() : std::runtime_error("interrupted by Alt+C") {}
};

class Console {
 public:
  Console(Device& device, const sys::Clock& clock);
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // --- drawing; the cursor moves as noted ---
  void write(int row, int col, std::string_view cp852);              // standard colour; cursor after the text
  void write(int row, int col, std::string_view cp852, Slot slot);   // colour of a slot; cursor after
  void writeAttr(int row, int col, std::string_view cp852, Attr attr);  // cursor after
  void writeCells(int row, int col, std::string_view cp852, Attr attr);  // cursor stays
  void fill(Rect r, std::uint8_t ch, Attr attr);                     // cursor stays
  void box(Rect r, std::string_view frame);                          // standard colour; cursor stays
  void box(Rect r, std::string_view frame, Attr attr);
  void clearRow(int row, int col);           // (row, col) to the end of the row; cursor to (row, col)
  void clearFrom(int row, int col);          // to the bottom-right corner; cursor to (row, col)
  void clear(Rect r);                        // cursor to the top-left corner of r
  void clearScreen();                        // cursor to (0, 0)
  void recolour(Rect r, Attr attr);          // attributes only
  void scroll(Rect r, int rows);             // blanks in the standard colour
  std::string save(Rect r = Rect::whole()) const;
  void restore(Rect r, std::string_view saved);
  const Screen& screen() const { return screen_; }

  void beginUpdate();
  void endUpdate();                          // an unmatched call does nothing
  int updateDepth() const { return depth_; }
  void refresh();                            // shows the grid now, unless an update is open

  // --- colour ---
  std::string colour() const { return colours_.text(); }
  std::string setColour(std::string_view colourString);  // returns the previous setting
  Attr attr(Slot s) const { return colours_.slot(s); }

  // --- cursor ---
  Cursor cursor() const { return cursor_; }
  void moveCursor(int row, int col);
  CursorShape setCursorShape(CursorShape shape);  // returns the previous shape

  // --- keys ---
  int inkey(KeyWait wait);
  int waitKey(KeyWait wait, const HotKeyCall& where);
  int lastKey() const { return last_.code; }
  const KeyEvent& lastKeyEvent() const { return last_; }
  void stuff(std::string_view keys);   // empties the buffer, then queues each byte but 0 as a key
  void pushKey(int code);              // queues one key behind those waiting
  void clearTypeAhead() { typeAhead_.clear(); }
  bool typeAheadEmpty() const { return typeAhead_.empty(); }
  KeyBindings& bindings() { return bindings_; }
  bool setAltCBreak(bool on);          // returns the previous state
  bool altCBreak() const { return altCBreak_; }
  void onBreak(std::function<void()> handler) { onBreak_ = std::move(handler); }

  // --- sound and time ---
  void tone(double hertz, double ticks) { device_.tone(hertz, ticks); }
  // Runs `f` (an external program) with the device lent to it, then takes the device back;
  // keys typed meanwhile belong to the program that ran. The screen is shown again as it was.
  template <typename F>
  void runOutside(F&& f) {
    refresh();
    device_.lend();
    struct TakeBack {
      Device& d;
      ~TakeBack() { d.takeBack(); }
    } takeBack{device_};
    f();
  }
  void startClock(int row, int col, Attr attr);
  void stopClock() { clock_.stop(); }
  bool clockRunning() const { return clock_.running(); }
  const sys::Clock& time() const { return time_; }

 private:
  int readKey(KeyWait wait, const HotKeyCall* where);
  std::optional<KeyEvent> takeKey(KeyWait wait, Millis start);
  std::optional<Millis> slice(const KeyWait& wait, Millis start) const;
  void tickClock();
  void changed();

  Device& device_;
  const sys::Clock& time_;
  Screen screen_;
  ColourSetting colours_;
  Cursor cursor_;
  int depth_ = 0;
  std::deque<int> typeAhead_;
  KeyEvent last_;
  KeyBindings bindings_;
  bool altCBreak_ = true;  // on at start, as the classic runtime has it
  std::function<void()> onBreak_;
  ClockDisplay clock_;
};

}  // namespace con
