// src/rt/expression.hpp — a compiled expression and a code block, as the rest of the program
// holds them. Compile with Runtime::compile (cached by text), evaluate with Runtime::eval.
//
// The language: literals ('...', "...", [...] where a value is expected, numbers, .T. .F.
// .Y. .N., NIL, arrays {a, b}), names of fields and memory variables, alias->name,
// (alias)->(expr), FIELD->name, M->name / MEMVAR->name, function calls with arguments by
// value or by reference (@name), subscripts a[i, j], code blocks {|a, b| e1, e2}, macros
// &name, &name. and &(expr) (also &name inside string literals), expression lists
// (e1, e2), and the operators, strongest binding first:
//   unary + -  |  ** ^  |  * / %  |  + -  |  < <= > >= $  |  = == != <> #  |  .NOT. !  |
//   .AND.  |  .OR.  |  := += -= *= /=  (right to left; every other level left to right)
// with ++ and -- before or after a variable.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "rt/error.hpp"
#include "rt/value.hpp"

namespace rt {

namespace internal {
class Node;
struct BlockBody;
struct Frame;
}  // namespace internal

// A text that does not compile: GenCode::Syntax, with the byte position of the fault.
class CompileError : public RuntimeError {
 public:
  CompileError(Error e, std::size_t position) : RuntimeError(std::move(e)), position_(position) {}
  std::size_t position() const { return position_; }

 private:
  std::size_t position_;
};

class Expression {
 public:
  Expression(std::string text, std::unique_ptr<internal::Node> root);
  ~Expression();
  Expression(const Expression&) = delete;
  Expression& operator=(const Expression&) = delete;

  const std::string& text() const { return text_; }
  const internal::Node& root() const { return *root_; }

 private:
  std::string text_;
  std::unique_ptr<internal::Node> root_;
};

using ExprRef = std::shared_ptr<const Expression>;

// A code block value: its compiled body and the parameters of the blocks around it that it
// may use (a block made inside another block's evaluation keeps that block's arguments).
class CodeBlock {
 public:
  CodeBlock(std::shared_ptr<const internal::BlockBody> body, std::shared_ptr<internal::Frame> outer);
  ~CodeBlock();
  const internal::BlockBody& body() const { return *body_; }
  const std::shared_ptr<internal::Frame>& outer() const { return outer_; }

 private:
  std::shared_ptr<const internal::BlockBody> body_;
  std::shared_ptr<internal::Frame> outer_;
};

}  // namespace rt
