// src/core/headless_station.hpp — a station without an operator: the runtime with the
// program-wide variables and every routine the stored expressions call, a console that
// draws nowhere, the work areas and the table store over one program folder. For the
// administrators' commands that work on an installation (an index rebuild from the shell).
//
// loadConfiguration() reads the configuration record when CONFIG exists and sets the
// station folder of station "01", creating the folder when it is missing.
#pragma once

#include <memory>
#include <string>

#include "con/console.hpp"
#include "con/headless.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "store/tables.hpp"
#include "sys/path.hpp"
#include "sys/posix_env.hpp"
#include "ui/context.hpp"

namespace core {

class HeadlessStation {
 public:
  // `env` (default: the real file system) must outlive the station.
  explicit HeadlessStation(const std::string& programFolder, sys::Env* env = nullptr);
  ~HeadlessStation();
  HeadlessStation(const HeadlessStation&) = delete;
  HeadlessStation& operator=(const HeadlessStation&) = delete;

  // Throws std::runtime_error when CONFIG cannot be read or the station folder made.
  void loadConfiguration();

 private:
  sys::PosixEnv posix_;

 public:
  sys::Env& env;
  con::HeadlessDevice device;
  con::Console console{device, device.clock()};
  rt::Runtime rt;
  sys::PathResolver paths;
  db::Workspace ws;
  store::Tables tables;
  ui::Context ctx;
};

}  // namespace core
