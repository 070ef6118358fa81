// src/rt/internal/expr_parser.hpp — expression text to a tree of nodes (expr_nodes.hpp).
// Recursive descent, one function per precedence level; see expression.hpp for the levels.
// Nesting deeper than kMaxParseDepth is refused as a syntax error, so no text can exhaust
// the stack while compiling or evaluating.
#pragma once

#include <string_view>

#include "rt/internal/expr_nodes.hpp"

namespace rt::internal {

inline constexpr int kMaxParseDepth = 100;

// Throws CompileError (GenCode::Syntax) with the position of the fault.
NodePtr parseExpression(Runtime& rt, std::string_view text);

}  // namespace rt::internal
