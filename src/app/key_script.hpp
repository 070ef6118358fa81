// src/app/key_script.hpp — the key script that drives a station without a terminal (the
// scripted console of multi-process tests and demonstrations), and the device that plays it.
//
// A script is UTF-8 text, one step a line; blank lines and lines starting with "#" are
// skipped:
//   type TEXT      each character of TEXT (everything after "type ") as a key
//   key NAME       one key: Enter, Esc, Tab, Backspace, Up, Down, Left, Right, Home, End,
//                  PgUp, PgDn, Ins, Del, Space, F1..F12 with an optional Shift+, Ctrl+ or
//                  Alt+ in front, Alt+LETTER, or the key's number
//   wait SECONDS   virtual time passes (timeouts are played without waiting for real)
//   expect TEXT    the keys after it wait until the screen shows TEXT: meanwhile timed key
//                  reads pass with no key, virtual time keeping pace with real time, so a
//                  waiting notice does not eat the keys meant for the screen behind it; an
//                  untimed read then ends the script
//   screen PATH    the screen as shown now is written to PATH as UTF-8 text (25 lines)
//   notify PATH    a line is written to PATH (a named pipe another process reads)
//   await PATH     a line is read from PATH: the run stands still until one is written
// Screen, notify and await run when the program next waits for a key (a read that may wait)
// and every key before them has been taken. Time is virtual, as on the scripted device (con/headless.hpp).
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.hpp"
#include "con/headless.hpp"

namespace app {

struct ScriptStep {
  enum class Kind { Key, Text, Wait, Expect, Screen, Notify, Await } kind = Kind::Key;
  int key = 0;
  double seconds = 0;
  std::string text;  // Text: what is typed; Expect: what is awaited; Screen, Notify, Await: the path
};

// The code of a key name; nullopt for an unknown name.
std::optional<int> keyNamed(std::string_view name);

// Errc::Invalid naming the line for a step that cannot be read.
base::Result<std::deque<ScriptStep>> parseKeyScript(std::string_view text);

class ScriptedDevice final : public con::Device {
 public:
  ScriptedDevice(std::deque<ScriptStep> steps, sys::CivilTime start);

  void present(const con::Screen::Grid& grid, const con::Cursor& cursor) override { device_.present(grid, cursor); }
  std::optional<con::KeyEvent> readKey(std::optional<con::Millis> timeout) override;
  con::Millis elapsed() const override { return device_.elapsed(); }
  void tone(double hertz, double ticks) override { device_.tone(hertz, ticks); }

  const sys::Clock& clock() const { return device_.clock(); }
  std::string text() const { return device_.text(); }

 private:
  void perform(const ScriptStep& step);

  con::HeadlessDevice device_;
  std::deque<ScriptStep> steps_;
};

}  // namespace app
