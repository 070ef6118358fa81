// src/app/station.hpp — one station of the program, as main.cpp builds it and as the tests
// build it for themselves: the runtime, the path resolver over the program folder, the work
// areas, the table store, the screen framework's context, the seams the subsystems reach
// the program through, and the station's registration file. Building a Station registers
// every subsystem's routines in the runtime's function table and installs the run-time error
// handler (DEFERROR) as the runtime's error hook.
//
// How the run ends from deep inside an operation: every seam that ends the program throws
// store::ProgramEnd with the exit code; MAIN (startup.hpp) catches it, closes what is open
// and returns the code.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "access/access_seams.hpp"
#include "app/registration_file.hpp"
#include "con/console.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "store/tables.hpp"
#include "sys/clock.hpp"
#include "sys/env.hpp"
#include "sys/path.hpp"
#include "ui/context.hpp"
#include "ui/error/deferror.hpp"

namespace app {

struct Station {
  // `programFolder` ends with a slash; it is the current folder of a real run.
  Station(con::Console& console, sys::Env& env, const sys::Clock& clock, std::string programFolder);
  ~Station();
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  sys::Env& env;
  const sys::Clock& clock;
  rt::Runtime rt;
  sys::PathResolver paths;
  db::Workspace ws;
  store::Tables tables;
  ui::Context ctx;
  operators::AccessSeams accessSeams;
  ui::ErrorSeams errorSeams;
  RegistrationFile flag;

  con::Console& con() { return ctx.con; }
  // Calls `name` with `args` when registered; nullopt when it is not. For the steps of the
  // run that belong to subsystems a build may lack; everything else calls through rt.call.
  std::optional<rt::Value> callIfRegistered(std::string_view name, std::vector<rt::Value> args = {});
  // The message box of start-up: a text, optionally a second line, acknowledged with Enter.
  void message(std::string_view text, std::string_view second = {});

 private:
  void wireSeams();
  void registerRoutines();
};

}  // namespace app
