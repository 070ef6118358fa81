// src/rt/error.hpp — a run-time error as the error handler reads it. Raised through
// Runtime::raise, whose hook (owned by the program's error handler) either supplies a
// value to go on with or lets the error be thrown as RuntimeError.
#pragma once

#include <string>

#include "base/fault.hpp"

namespace rt {

enum class Severity { Warning = 1, Error = 2, Catastrophic = 3 };

// The classic generic error codes the handler tests (EG_...).
enum class GenCode {
  None = 0, Arg = 1, Bound = 2, StrOverflow = 3, NumOverflow = 4, ZeroDiv = 5, NumErr = 6,
  Syntax = 7, ComplexMacro = 8, Mem = 11, NoFunc = 12, NoMethod = 13, NoVar = 14, NoAlias = 15,
  NoVarMethod = 16, BadAlias = 17, DupAlias = 18, Create = 20, Open = 21, Close = 22, Read = 23,
  Write = 24, Print = 25, Unsupported = 30, Limit = 31, Corruption = 32, DataType = 33,
  DataWidth = 34, NoTable = 35, NoOrder = 36, Shared = 37, Unlocked = 38, ReadOnly = 39,
  AppendLock = 40, Lock = 41,
};

// Made with Error::of and the few settings a raiser needs, e.g.
//   rt.raise(Error::of(GenCode::NoOrder, "DBCMD", 1020, "Work area not indexed", "DBSEEK"));
//   rt.raise(Error::of(GenCode::Arg, "BASE", 0, "Argument error", "SUBSTR").substitutable());
struct Error {
  static Error of(GenCode code, std::string subsystem, int subCode, std::string description,
                  std::string operation = {}) {
    Error e;
    e.genCode = code;
    e.subsystem = std::move(subsystem);
    e.subCode = subCode;
    e.description = std::move(description);
    e.operation = std::move(operation);
    return e;
  }
  // The handler may give a value that stands for the failed operation's result.
  Error substitutable() && { return std::move(*this).with(&Error::canSubstitute); }
  // The handler may go on as if nothing failed ("Default").
  Error defaultable() && { return std::move(*this).with(&Error::canDefault); }
  // The handler may try the operation again.
  Error retryable() && { return std::move(*this).with(&Error::canRetry); }
  Error onFile(std::string name, int os = 0) && {
    fileName = std::move(name);
    osCode = os;
    return std::move(*this);
  }

  Severity severity = Severity::Error;
  GenCode genCode = GenCode::None;
  std::string subsystem = "BASE";  // "BASE", "TERM", "DBFNTX", ...
  int subCode = 0;
  std::string description;
  std::string operation;           // the operator or function that failed ("/", "SUBSTR")
  std::string fileName;
  int osCode = 0;
  bool canRetry = false;
  bool canDefault = false;
  bool canSubstitute = false;
  int tries = 0;

  std::string message() const;     // "Error BASE/1081  Argument error: +"

 private:
  Error with(bool Error::*flag) && {
    this->*flag = true;
    return std::move(*this);
  }
};

// The exception an unhandled run-time error becomes.
class RuntimeError : public base::Fault {
 public:
  explicit RuntimeError(Error e)
      : base::Fault(base::FaultKind::Runtime, e.message(), e.fileName), error_(std::move(e)) {}
  const Error& error() const { return error_; }

 private:
  Error error_;
};

inline std::string Error::message() const {
  std::string s = "Error " + subsystem + "/" + std::to_string(subCode);
  if (!description.empty()) s += "  " + description;
  if (!operation.empty()) s += ": " + operation;
  return s;
}

}  // namespace rt
