// tests/ui/screen_fixture.hpp — a station's screen framework on the scripted device, with a
// record of what the screen showed each time a key was awaited (a modal box is only
// visible while it waits, and is gone again when the routine returns).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "con/console.hpp"
#include "con/headless.hpp"
#include "rt/runtime.hpp"
#include "sys/path.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "ui/context.hpp"

namespace uitest {

struct Shown {
  std::vector<std::string> rows;   // 25 rows of UTF-8
  std::vector<std::string> attrs;  // 25 rows of 80 two-digit hex attributes
  con::Cursor cursor;
  std::string row(int r) const { return rows[static_cast<std::size_t>(r)]; }
  // The UTF-8 text of `n` characters from (r, col).
  std::string at(int r, int col, int n) const;
  std::string attr(int r, int col) const { return attrs[static_cast<std::size_t>(r)].substr(col * 2, 2); }
};

// Forwards to the scripted device and keeps what was shown at each key read.
class RecordingDevice final : public con::Device {
 public:
  explicit RecordingDevice(con::HeadlessDevice& d) : d_(d) {}
  void present(const con::Screen::Grid& grid, const con::Cursor& cursor) override { d_.present(grid, cursor); }
  std::optional<con::KeyEvent> readKey(std::optional<con::Millis> timeout) override;
  con::Millis elapsed() const override { return d_.elapsed(); }
  void tone(double hertz, double ticks) override { d_.tone(hertz, ticks); }
  std::vector<Shown> shown;

 private:
  con::HeadlessDevice& d_;
};

struct Station {
  Station();
  Shown now() const;              // what the screen shows now
  const Shown& atRead(std::size_t i) const { return device.shown.at(i); }
  // Fills the screen with a pattern of characters and colours, so that a restore that
  // misses a cell shows.
  void paintPattern();

  testkit::TempDir dir;
  con::HeadlessDevice script;
  RecordingDevice device{script};
  con::Console con{device, script.clock()};
  rt::Runtime rt;
  sys::PosixEnv env;
  sys::PathResolver paths{env, dir.path().string() + "/"};
  ui::Context ctx{rt, con, paths};
};

}  // namespace uitest
