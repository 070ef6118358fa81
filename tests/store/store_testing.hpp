// tests/store/store_testing.hpp — a station of the table store over a temporary program
// folder: the scripted console, the runtime with _LICZBA_STA, the work areas, and a Tables
// whose seams record what they were asked. Also another station's hold on a table, as a
// real child process that keeps it until released.
#pragma once

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "con/console.hpp"
#include "con/headless.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "store/tables.hpp"
#include "sys/clock.hpp"
#include "sys/path.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "xbase/dbf_field.hpp"

namespace storetest {

struct Logged {
  std::string text;
  store::Caller where;
};

struct Station {
  explicit Station(int stations = 2);
  void setStations(double n);
  // A table in the program folder with `rows` records of KOD 1, 2, ...
  void makeTable(const std::string& name, int rows = 0);
  // Fills the screen with a pattern, so that a restore that misses a cell shows.
  void paintPattern();
  std::string row(int r, int col, int width) const { return script.rowText(r, col, width); }

  testkit::TempDir dir;
  con::HeadlessDevice script;
  con::Console con{script, script.clock()};
  rt::Runtime rt;
  sys::PosixEnv env;
  sys::PathResolver paths{env, dir.path().string() + "/"};
  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};

  std::vector<std::string> errors;     // texts of the error dialog
  std::vector<std::string> questions;  // yes/no questions asked
  std::vector<Logged> logged;          // error log entries
  int passes = 0;
  bool answerYes = false, passwordGiven = false;
  std::function<void(int pass)> onPass;  // runs at each pass of a wait
};

// Another station: a child process that opens `table` (and does `hold` with it), tells the
// parent, and keeps everything until released or destroyed.
class OtherStation {
 public:
  enum class Hold { Exclusive, RecordLock, FileLock };
  OtherStation(const std::string& folder, const std::string& table, Hold hold);
  ~OtherStation();
  void release();  // returns once the child has closed the table and exited
  bool ok() const { return ok_; }

 private:
  pid_t pid_ = -1;
  int toChild_ = -1;
  bool ok_ = false;
};

}  // namespace storetest
