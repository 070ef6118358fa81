// src/base/fault.hpp — faults: malformed files, I/O failing in the middle of a change,
// broken invariants. They are thrown, and caught only by an operation's abandonable block,
// which closes the tables and shows the error handler. Expected failures are Status values.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/source_location.hpp"

namespace base {

enum class FaultKind {
  Corrupt,   // a file whose bytes break a rule of its format
  Io,        // the operating system failed a read or write that must not fail
  Internal,  // a broken invariant of the program itself (ZEL_CHECK)
  Runtime,   // an error of the expression runtime (see rt/error.hpp)
};

class Fault : public std::runtime_error {
 public:
  Fault(FaultKind kind, std::string what, std::string file = {}, std::int64_t offset = -1,
        SourceLocation where = SourceLocation::current())
      : std::runtime_error(compose(what, file, offset)),
        kind_(kind), file_(std::move(file)), offset_(offset), where_(where) {}

  FaultKind kind() const { return kind_; }
  const std::string& file() const { return file_; }
  std::int64_t offset() const { return offset_; }
  const SourceLocation& where() const { return where_; }

 private:
  static std::string compose(const std::string& what, const std::string& file, std::int64_t off) {
    std::string s = what;
    if (!file.empty()) s += " (" + file + (off >= 0 ? " at byte " + std::to_string(off) : "") + ")";
    return s;
  }
  FaultKind kind_;
  std::string file_;
  std::int64_t offset_;
  SourceLocation where_;
};

// A file that breaks a rule of its format: `rule` names the rule, `offset` where it broke.
class Corrupt : public Fault {
 public:
  Corrupt(std::string file, std::int64_t offset, std::string rule,
          SourceLocation where = SourceLocation::current())
      : Fault(FaultKind::Corrupt, std::move(rule), std::move(file), offset, where) {}
};

class IoFault : public Fault {
 public:
  IoFault(std::string file, std::string what, int osError = 0,
          SourceLocation where = SourceLocation::current())
      : Fault(FaultKind::Io, std::move(what), std::move(file), -1, where), osError_(osError) {}
  int osError() const { return osError_; }

 private:
  int osError_;
};

class InternalFault : public Fault {
 public:
  explicit InternalFault(std::string what, SourceLocation where = SourceLocation::current())
      : Fault(FaultKind::Internal, std::move(what), {}, -1, where) {}
};

}  // namespace base
