// src/db/expr.hpp — an expression as the work-area layer holds it: its text (kept for index
// headers, INDEXKEY() and messages) and a callable that evaluates it. Stored conditions and
// keys come from the runtime's compiler; C++ callers may pass a predicate instead (filters,
// bulk conditions). The layer never evaluates an Expr itself: Workspace::evalIn selects the
// area first, so field names resolve to that area.
#pragma once

#include <functional>
#include <string>

#include "rt/value.hpp"

namespace rt {
class Runtime;
}

namespace db {

struct Expr {
  std::string text;  // empty for a C++ predicate
  std::function<rt::Value(rt::Runtime&)> fn;

  explicit operator bool() const { return static_cast<bool>(fn); }

  static Expr predicate(std::function<bool()> p, std::string text = {}) {
    return Expr{std::move(text), [p = std::move(p)](rt::Runtime&) { return rt::Value::logical(p()); }};
  }
};

// Turns expression text into an Expr. Throws the compiler's error for a text that does not
// compile. The program passes the runtime's own compiler (cached by text).
using ExprCompiler = std::function<Expr(rt::Runtime&, const std::string& text)>;

// The runtime's own compiler: Runtime::compile, cached by text; throws rt::CompileError.
ExprCompiler runtimeCompiler();

}  // namespace db
