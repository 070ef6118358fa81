// src/sys/batch.hpp — runBatch: a batch file of the command interpreter run on Linux. The
// program writes small batch files (lines ended by CR LF) that start an FTP client, a mail
// sender or the archiver; this runs them line by line, the way the command interpreter
// would, without handing what the known programs get to a shell.
//
// Rules, for each line of the file (or the single line of runBatchLine):
//   B1  the trailing CR is dropped; empty lines and lines beginning with "rem " or "::" do
//       nothing; a leading "@" is dropped.
//   B2  "cls" clears the terminal when the standard output is one, else does nothing.
//   B3  a ">NUL" (any case, with or without a blank after ">") at the end of the line sends
//       the command's standard output to the null device.
//   B4  a line whose first word (any case, ".exe" and ".com" ignored) names a known program
//       runs that program directly: with Arguments::Words its arguments are the other
//       words, split at blanks; with Arguments::Tail the rest of the line after the first
//       blank is its one argument, exactly as written (a mail command line whose subject
//       holds blanks). No shell reads them.
//   B5  any other line runs by /bin/sh in the folder (runCommand).
//   B6  the lines run one after the other in `folder`; the result is the exit status of the
//       last one run (0 for none). A file that cannot be read is Errc::NotFound.
#pragma once

#include <map>
#include <string>

#include "base/result.hpp"

namespace sys {

enum class Arguments { Words, Tail };

struct BatchProgram {
  std::string path;  // the executable
  Arguments arguments = Arguments::Words;
};

// Known programs by their command word in lower case ("ftp", "smtpsend", "arj").
using BatchPrograms = std::map<std::string, BatchProgram>;

base::Result<int> runBatch(const std::string& file, const std::string& folder, const BatchPrograms& programs);
base::Result<int> runBatchLine(const std::string& line, const std::string& folder, const BatchPrograms& programs);

}  // namespace sys
