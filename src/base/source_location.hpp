// src/base/source_location.hpp — where a fault was raised. std::source_location where the
// standard library has it; clang 14 with libstdc++ 12 (the fuzzing build) does not, and there
// the same three facts come from the compiler's builtins.
#pragma once

#include <version>
#if defined(__cpp_lib_source_location)
#include <source_location>
#endif

namespace base {

#if defined(__cpp_lib_source_location)
using SourceLocation = std::source_location;
#else
class SourceLocation {
 public:
  static constexpr SourceLocation current(const char* file = __builtin_FILE(),
                                          const char* function = __builtin_FUNCTION(),
                                          unsigned line = __builtin_LINE()) noexcept {
    SourceLocation l;
    l.file_ = file;
    l.function_ = function;
    l.line_ = line;
    return l;
  }
  constexpr const char* file_name() const noexcept { return file_; }
  constexpr const char* function_name() const noexcept { return function_; }
  constexpr unsigned line() const noexcept { return line_; }
  constexpr unsigned column() const noexcept { return 0; }

 private:
  const char* file_ = "";
  const char* function_ = "";
  unsigned line_ = 0;
};
#endif

}  // namespace base
