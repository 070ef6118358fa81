// src/con/headless.hpp — the scripted device of tests and demonstrations. Keys come from a
// script; time is virtual and moves only through the script's waits (and through timed
// waits after the script has run out), so timeouts and the clock are tested without sleeping.
// Tones are recorded. What the device shows can be read back as UTF-8 text, as attributes,
// or as saved-region bytes.
//
// Script rules:
//   H1 keys are taken in order; a key costs no time.
//   H2 a wait of d in the script passes time: a key read that waits at most t < d consumes t
//      of it and reports no key; one that waits at least d consumes it all and goes on.
//   H3 when the script is empty a timed read passes its whole time and reports no key; an
//      untimed read, or an hour of virtual time passed on an empty script, throws
//      ScriptEnded (a test that forgot a key must fail, never hang).
//
// Test helpers (row, find, region, ...) read the frame last presented, as a person would see it.
#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "con/device.hpp"
#include "sys/clock.hpp"

namespace con {

class ScriptEnded : public std::runtime_error {
 public:
  ScriptEnded() : std::runtime_error("the key script has run out while a key is awaited") {}
};

struct Tone {
  double hertz = 0, ticks = 0;
  friend bool operator==(const Tone&, const Tone&) = default;
};

class HeadlessDevice final : public Device {
 public:
  explicit HeadlessDevice(sys::CivilTime start = {2024, 3, 5, 10, 0, 0, 0});

  // --- the script ---
  HeadlessDevice& key(int code);
  HeadlessDevice& key(KeyEvent event);
  HeadlessDevice& keys(std::initializer_list<int> codes);
  HeadlessDevice& type(std::string_view utf8);  // each character as the key of its CP852 byte
  HeadlessDevice& wait(Millis d);
  HeadlessDevice& waitSeconds(double s);
  bool scriptDone() const { return script_.empty(); }

  // --- the clock the program should use: the start time plus the virtual time passed ---
  const sys::Clock& clock() const { return clock_; }

  // --- Device ---
  void present(const Screen::Grid& grid, const Cursor& cursor) override;
  std::optional<KeyEvent> readKey(std::optional<Millis> timeout) override;
  Millis elapsed() const override { return now_; }
  void tone(double hertz, double ticks) override;

  // --- what was shown ---
  int presentCount() const { return presents_; }
  const std::vector<Tone>& tones() const { return tones_; }
  const Cursor& cursor() const { return cursor_; }
  const Cell& cell(int row, int col) const;
  std::string row(int r) const;                      // 80 characters of UTF-8
  std::string text() const;                          // 25 rows, each ended by "\n"
  std::string attributes() const;                    // 25 rows of 80 two-digit hex attributes, "\n" after each
  std::string region(Rect r) const;                  // the bytes a saved region would hold
  // Where `utf8` first stands (row, column), searching row by row; nullopt when nowhere.
  std::optional<std::pair<int, int>> find(std::string_view utf8) const;
  bool shows(std::string_view utf8) const { return find(utf8).has_value(); }
  std::string rowText(int r, int col, int width) const;  // part of a row, UTF-8

 private:
  struct Step {
    std::optional<KeyEvent> key;
    Millis wait{0};
  };
  class VirtualClock final : public sys::Clock {
   public:
    VirtualClock(sys::CivilTime start, const Millis& elapsed) : start_(start), elapsed_(elapsed) {}
    sys::CivilTime now() const override;

   private:
    sys::CivilTime start_;
    const Millis& elapsed_;
  };

  std::deque<Step> script_;
  Millis now_{0};
  Millis idleAfterScript_{0};
  VirtualClock clock_;
  Screen::Grid shown_{};
  Cursor cursor_;
  int presents_ = 0;
  std::vector<Tone> tones_;
};

}  // namespace con
