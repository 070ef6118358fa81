// src/app/main.cpp — the station program: `zelmoran [STATION]` in the program folder (the
// current folder). Builds the station over the terminal and runs it; the exit code is the
// operator number after an orderly end.
//
// Without a terminal: ZELMORAN_SCRIPT names a key script (app/key_script.hpp) that plays the
// keyboard on a scripted screen, and ZELMORAN_SCREEN a file that receives the last screen as
// UTF-8 text when the run ends. A script that runs out while a key is awaited ends the run
// with exit code 125. The date can be fixed with ZELMORAN_TODAY=YYYYMMDD (sys/clock.hpp).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "app/key_script.hpp"
#include "app/startup.hpp"
#include "app/station.hpp"
#include "con/terminal.hpp"
#include "sys/clock.hpp"
#include "sys/posix_env.hpp"

namespace {

constexpr int kScriptEnded = 125;

std::string programFolder() {
  std::error_code ec;
  std::string folder = std::filesystem::current_path(ec).string();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// Runs the station over `device`; faults that escape the run are reported on stderr.
int run(con::Device& device, const sys::Clock& clock, std::optional<std::string_view> argument) {
  sys::PosixEnv env;
  con::Console console(device, clock);
  app::Station station(console, env, clock, programFolder());
  return app::MAIN(station, argument);
}

int runScripted(const char* scriptPath, std::optional<std::string_view> argument) {
  std::ifstream in(scriptPath);
  if (!in) {
    std::fprintf(stderr, "zelmoran: cannot read the key script %s\n", scriptPath);
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  auto steps = app::parseKeyScript(text.str());
  if (!steps) {
    std::fprintf(stderr, "zelmoran: %s\n", steps.error().toString().c_str());
    return 1;
  }
  sys::SystemClock real;
  app::ScriptedDevice device(std::move(*steps), real.now());
  int code = 0;
  try {
    code = run(device, device.clock(), argument);
  } catch (const con::ScriptEnded& e) {
    std::fprintf(stderr, "zelmoran: %s\n", e.what());
    code = kScriptEnded;
  }
  if (const char* screen = std::getenv("ZELMORAN_SCREEN")) {
    std::ofstream out(screen, std::ios::trunc);
    out << device.text();
  }
  return code;
}

int runOnTerminal(std::optional<std::string_view> argument) {
  con::TerminalOptions options;
  if (const char* term = std::getenv("TERM")) options.linuxConsole = std::string_view(term) == "linux";
  auto terminal = con::Terminal::open(options);
  if (!terminal) {
    std::fprintf(stderr, "zelmoran: %s\n", terminal.error().toString().c_str());
    return 1;
  }
  sys::SystemClock clock;
  return run(**terminal, clock, argument);
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::string_view> argument;
  if (argc > 1) argument = argv[1];
  try {
    if (const char* script = std::getenv("ZELMORAN_SCRIPT")) return runScripted(script, argument);
    return runOnTerminal(argument);
  } catch (const std::exception& e) {
    // The terminal is back to normal here: the run's objects are gone.
    std::fprintf(stderr, "zelmoran: %s\n", e.what());
    return 1;
  }
}
