// tests/app/app_fixture.hpp — a small installation in a folder (the tables start-up reads,
// two operators, one menu entry, station folders with a menu index), and a station of the
// program on the scripted screen over such an installation.
//
// Operators: ADM (record 1, password ADMIN1, priority 9) and OPE (record 2, password OPER01,
// priority 5), both stamped.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/station.hpp"
#include "con/console.hpp"
#include "con/headless.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "ui/screen_fixture.hpp"

namespace apptest {

struct Installation {
  std::string konto = "00000";   // "     ": a representative's copy before its first run
  int stations = 3;              // LICZBA_STA; a station folder DANE#nn is made for each
  std::string stamp = "180916";  // DATA_LIC of STATUS
  std::string formatInd = "99999";  // FORMAT_IND of CONFIG
};

// Makes the installation in `folder` (an existing folder).
void makeInstallation(const std::string& folder, const Installation& inst = {});

// A value of the first record of a table of the installation.
std::string firstRecordText(const std::string& folder, const std::string& table, const std::string& field);

// A station run in-process on the scripted screen. Every screen shown at a key read is kept.
struct AppStation {
  explicit AppStation(const Installation& inst = {});
  // A second station over the same folder (another run of the program).
  explicit AppStation(const AppStation& sameFolder);

  int run(std::optional<std::string_view> argument = std::nullopt);
  // Whether `utf8` was shown at some key read.
  bool wasShown(std::string_view utf8) const;
  std::string folder() const { return folder_; }
  std::string file(const std::string& name) const { return folder_ + "/" + name; }

  std::unique_ptr<testkit::TempDir> dir;  // only the first station of a folder owns it
  std::string folder_;
  con::HeadlessDevice script;
  uitest::RecordingDevice device{script};
  con::Console con{device, script.clock()};
  sys::PosixEnv env;
  std::unique_ptr<app::Station> station;
};

}  // namespace apptest
