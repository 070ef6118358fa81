// src/base/status.hpp — the value that reports an expected failure: what kind, and a message.
// Expected failures are those the program has a message for, or that another station or
// the user can cause (locked, missing, exists, refused). Faults are exceptions (fault.hpp).
#pragma once

#include <string>
#include <utility>

namespace base {

enum class Errc {
  Ok,
  NotFound,   // a file, record, key or name that is not there
  Exists,     // something that must not be there already is
  Locked,     // another station (or work area) holds a lock or exclusive use
  Refused,    // the user or a rule said no
  Cancelled,  // the user left with Esc
  Invalid,    // bad input: a value, a name or an argument that cannot be used
  Io,         // the operating system failed an operation that may succeed later
};

const char* errcName(Errc c);

class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Errc code, std::string message) : code_(code), message_(std::move(message)) {}
  static Status ok() { return {}; }

  bool isOk() const { return code_ == Errc::Ok; }
  explicit operator bool() const { return isOk(); }
  bool is(Errc c) const { return code_ == c; }
  Errc code() const { return code_; }
  const std::string& message() const { return message_; }
  std::string toString() const;

 private:
  Errc code_ = Errc::Ok;
  std::string message_;
};

inline const char* errcName(Errc c) {
  switch (c) {
    case Errc::Ok: return "ok";
    case Errc::NotFound: return "not found";
    case Errc::Exists: return "exists";
    case Errc::Locked: return "locked";
    case Errc::Refused: return "refused";
    case Errc::Cancelled: return "cancelled";
    case Errc::Invalid: return "invalid";
    case Errc::Io: return "i/o error";
  }
  return "?";
}

inline std::string Status::toString() const {
  if (isOk()) return "ok";
  return message_.empty() ? errcName(code_) : std::string(errcName(code_)) + ": " + message_;
}

}  // namespace base
