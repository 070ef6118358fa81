// src/sys/command.hpp — running an operating-system command line, as the configuration
// writes them (archivers, transfer scripts, the external program): by the shell, in a
// given folder, waiting until it ends.
//
// Rules:
//   C1  the line runs as `/bin/sh -c LINE` with `folder` as its working folder, with this
//       process's standard input, output and error.
//   C2  while it runs, Ctrl+C and Ctrl+\ reach the command only: this process ignores
//       SIGINT and SIGQUIT until it ends (the command gets the default actions).
//   C3  the result is the command's exit status; a command ended by a signal gives 128 plus
//       the signal's number. A shell that cannot be started is an error (Errc::Io).
#pragma once

#include <string>

#include "base/result.hpp"

namespace sys {

base::Result<int> runCommand(const std::string& line, const std::string& folder);

}  // namespace sys
