// src/ui/error/deferror.hpp — the program's run-time error handler: ERRORSYS installs it as
// the runtime's error hook, DEFERROR decides what becomes of one error, ERRORMESSAGE gives
// an error's text. Not here: the choice box it asks with (choice_box.hpp).
//
// DEFERROR's rules, in this order:
//   D1 division by zero gives 0 and work goes on, silently;
//   D2 an open error with OS code 32 (sharing violation) or 5 (access denied), or a failed
//      lock for appending a record, when the error allows a default: the network-error flag
//      (Context::networkError) is set and the operation fails quietly with false, so that
//      the table store's waiting takes over;
//   D3 anything else is shown in the choice box with its message (a second line
//      "(DOS Error n)" when there is an OS code) and the choices "Quit", then "Retry" when
//      the operation can be retried, then "Default" when a default is allowed; the box comes
//      back until one is chosen;
//   D4 "Retry" gives true (the raiser tries again), "Default" false (the raiser fails with
//      its default result);
//   D5 "Quit" writes the message (with " (DOS Error n) " after it when there is an OS code)
//      and one line "Called from NAME(line)  " for each running routine, innermost first,
//      to the standard error output and to the error file MMDDhhmm.prn in the data folder
//      (_SC; month, day, hour and minute of the clock), appended to what an earlier error
//      of the same minute left there; a file that cannot be written is skipped. Then the program ends with exit code 1 through ErrorSeams::endProgram.
// While the handler runs, an error raised inside it is not handled again: it is thrown.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "rt/error.hpp"
#include "rt/function_table.hpp"
#include "rt/value.hpp"
#include "sys/clock.hpp"
#include "sys/env.hpp"
#include "ui/context.hpp"

namespace ui {

// What the handler needs from the program besides the Context. endProgram never returns
// in the program; when a test's version does, the error is thrown as rt::RuntimeError.
struct ErrorSeams {
  sys::Env* env = nullptr;                             // for the error file; none: no file
  std::function<void(std::string_view)> standardError;  // the Quit text; default: stderr
  std::function<void(int code)> endProgram;             // default: std::exit
};

// Installs DEFERROR as the runtime's error hook. `seams` is copied.
void ERRORSYS(Context& c, ErrorSeams seams);

// D1..D5 for one error. nullopt only after Quit: the raiser then throws the error.
std::optional<rt::Value> DEFERROR(Context& c, const ErrorSeams& seams, const rt::Error& e);

// "Error BASE/1340  Division by zero: /": "Error " or "Warning " (by severity), the
// subsystem ("???" when none), "/", the subcode ("???" when 0), two blanks and the
// description, then ": " and the file name or, when there is none, the operation.
std::string ERRORMESSAGE(const rt::Error& e);

// ERRORSYS (no arguments: installs the handler with `seams`) and NETERR (the network-error
// flag; a logical argument sets it) in the function table. `c` must outlive `fns`.
void registerErrorHandler(rt::FunctionTable& fns, Context& c, ErrorSeams seams);

// "03051422.prn": month, day, hour and minute, two digits each.
std::string errorFileName(const sys::CivilTime& t);

}  // namespace ui
