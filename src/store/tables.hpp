// src/store/tables.hpp — the table store's context: what every routine that opens, locks or
// looks up tables works with (the station's runtime, console, path resolver and work
// areas), the way table and index names become files, the single-user switch, and the seams
// through which the store reaches what lies above it (dialogs, the service password, the
// error log, the end of the program). The program owns one Tables per station; the
// registry adapters (register.cpp) keep a reference to it.
//
// Rules:
//   T1  a table name is a DOS-style name without extension, optionally with a folder
//       prefix ("DANE#01\PARADRUK"); ".DBF" (or ".NTX" for an index) is added unless the
//       last component already has an extension, and the result resolves through the path
//       resolver.
//   T2  single-user working holds exactly when _LICZBA_STA is a number from 1 to below 2.
//       The program-wide variables declare it as 0 until the configuration is read, and a
//       station count of 0 ends the program at start-up, so 0 means "not read yet": the
//       store then works as multi-user.
//   T3  endProgram never returns: when its seam does, ProgramEnd is thrown.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "con/console.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "sys/path.hpp"

namespace store {

// Thrown when the program is to end from deep inside an operation (the emergency exit
// while waiting for a table); main catches it, closes what is left and exits with `code`.
class ProgramEnd : public std::runtime_error {
 public:
  explicit ProgramEnd(int code = 0) : std::runtime_error("program end"), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// Where the calling operation stands, for the error log.
struct Caller {
  std::string procedure;
  int line = 0;
};

// What the store needs from the layers above it. Each has a default that is safe until
// the program wires the real one: no dialog, no confirmation, no service password; the
// error log is written to ERR_LOG (error_log.hpp); the end of the program throws ProgramEnd.
struct TableSeams {
  std::function<void(std::string_view text)> errorDialog;          // the message box (Enter)
  std::function<bool(std::string_view question)> confirm;         // a yes/no question
  std::function<bool()> servicePassword;                          // true: the service password was given
  std::function<void(std::string_view text, const Caller&)> reportError;  // the error log
  std::function<void()> endProgram;                               // T3
  // Called once per pass of a wait (tests count passes and release locks here).
  std::function<void()> onWaitPass;
  // Between two tries of a lock wait that cannot be cancelled.
  std::function<void()> retryPause;
};

class Tables {
 public:
  Tables(rt::Runtime& runtime, con::Console& console, sys::PathResolver& resolver, db::Workspace& workspace);
  Tables(const Tables&) = delete;
  Tables& operator=(const Tables&) = delete;

  rt::Runtime& rt;
  con::Console& con;
  sys::PathResolver& paths;
  db::Workspace& ws;
  TableSeams seams;

  bool singleUser() const;                           // T2
  std::string tablePath(std::string_view name) const;  // T1, ".DBF"
  std::string indexPath(std::string_view name) const;  // T1, ".NTX"
  std::string filePath(std::string_view name) const;   // any file, as named
  // The station folder with its trailing backslash (_SC), "" before it is set.
  std::string stationFolder() const;
  // A program-wide text variable (NUMER_STAN, _OPERATOR), "" when it holds no text.
  std::string textVar(std::string_view name) const;

  // Seam calls with their defaults.
  void showError(std::string_view text);
  bool confirm(std::string_view question);
  bool servicePassword();
  void reportError(std::string_view text, const Caller& where);
  [[noreturn]] void endProgram();
  void waitPass();
  void retryPause();
};

// Adds `extension` (".DBF") to a DOS-style name whose last component has none.
std::string withExtension(std::string_view name, std::string_view extension);

}  // namespace store
