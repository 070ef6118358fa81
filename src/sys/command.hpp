// src/sys/command.hpp — running an operating-system command line, as the configuration
// writes them (archivers, transfer scripts, the external program): by the shell, in a
// given folder, waiting until it ends; and running one program with its arguments given
// one by one, with no shell between.
//
// Rules:
//   C1  runCommand runs the line as `/bin/sh -c LINE` with `folder` as its working folder,
//       with this process's standard input, output and error.
//   C2  while a command runs, Ctrl+C and Ctrl+\ reach the command only: this process
//       ignores SIGINT and SIGQUIT until it ends (the command gets the default actions).
//   C3  the result is the command's exit status; a command ended by a signal gives 128 plus
//       the signal's number. A shell that cannot be started is an error (Errc::Io).
//   C4  runProgram executes `argv[0]` (a path) directly with `argv` as its arguments, so no
//       argument is ever read by a shell; otherwise as C1-C3. A program that cannot be
//       executed exits with 127. With Output::Discard its standard output goes to the null
//       device.
#pragma once

#include <string>
#include <vector>

#include "base/result.hpp"

namespace sys {

enum class Output { Inherit, Discard };

base::Result<int> runCommand(const std::string& line, const std::string& folder);
base::Result<int> runProgram(const std::vector<std::string>& argv, const std::string& folder,
                             Output output = Output::Inherit);

// The folder of the running program's own executable ("" when it cannot be told).
std::string executableFolder();

}  // namespace sys
