// src/db/expr.cpp — the runtime's compiler as the work-area layer uses it.
#include "db/expr.hpp"

#include "rt/expression.hpp"
#include "rt/runtime.hpp"

namespace db {

ExprCompiler runtimeCompiler() {
  return [](rt::Runtime& rt, const std::string& text) {
    rt::ExprRef e = rt.compile(text);
    return Expr{text, [e](rt::Runtime& r) { return r.eval(*e); }};
  };
}

}  // namespace db
