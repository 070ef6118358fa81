// src/access/access_seams.hpp — what the operators' routines need from the program besides
// the Context: ending the run, breaking the work off back to start-up, releasing the
// station's flag file, the activity log and the printout of a list. Each has a default that needs no program.
#pragma once

#include <functional>
#include <string_view>

namespace operators {

struct AccessSeams {
  // Ends the run with `code`; never returns. Default: std::exit.
  std::function<void(int code)> endProgram;
  // Leaves the current work and starts over at start-up; never returns. Default: throws
  // BreakToStart.
  std::function<void()> breakToStart;
  // Closes the handle of the station's flag file (_SC + "FLAGA") and deletes it.
  std::function<void()> releaseFlag;
  // One line of the activity log.
  std::function<void(std::string_view)> logActivity;
  // The printout of the list in the current work area through the print pipeline, with
  // the screen key, layout and title of the printout; true while the pipeline asks for
  // the list once more. Empty: there is no printout.
  std::function<bool(std::string_view screen, std::string_view layout, std::string_view title)> printList;
};

struct BreakToStart {};

// The seams' defaults where the program left one empty.
[[noreturn]] void endProgram(const AccessSeams& s, int code);
[[noreturn]] void breakToStart(const AccessSeams& s);
void releaseFlag(const AccessSeams& s);
void logActivity(const AccessSeams& s, std::string_view line);

}  // namespace operators
