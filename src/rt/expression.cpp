// src/rt/expression.cpp — compiling texts (with the cache) and the entry points that evaluate
// compiled expressions and code blocks.
#include "rt/expression.hpp"

#include "rt/internal/expr_nodes.hpp"
#include "rt/internal/expr_parser.hpp"
#include "rt/runtime.hpp"

namespace rt {

namespace {

// Texts built at run time (macros of changing text) could grow the cache without end; past
// this many entries it starts again. Stored expressions number a few hundred.
constexpr std::size_t kMaxCachedTexts = 4096;

}  // namespace

Expression::Expression(std::string text, std::unique_ptr<internal::Node> root)
    : text_(std::move(text)), root_(std::move(root)) {}

Expression::~Expression() = default;

CodeBlock::CodeBlock(std::shared_ptr<const internal::BlockBody> body, std::shared_ptr<internal::Frame> outer)
    : body_(std::move(body)), outer_(std::move(outer)) {}

CodeBlock::~CodeBlock() = default;

ExprRef Runtime::compile(std::string_view text) {
  if (auto it = compiled_.find(text); it != compiled_.end()) return it->second;
  auto e = std::make_shared<const Expression>(std::string(text), internal::parseExpression(*this, text));
  if (compiled_.size() >= kMaxCachedTexts) compiled_.clear();
  compiled_.emplace(std::string(text), e);
  return e;
}

Value Runtime::eval(const Expression& e) {
  static const std::shared_ptr<internal::Frame> kNoFrame;
  internal::Ctx c{*this, kNoFrame};
  return e.root().eval(c);
}

Value Runtime::evalBlock(const Value& block, std::span<Value> args) {
  if (!block.isBlock()) {
    Error e;
    e.genCode = GenCode::NoMethod;
    e.subCode = 1004;
    e.description = "No exported method";
    e.operation = "EVAL";
    e.canSubstitute = true;
    return raise(std::move(e));
  }
  const BlockRef keep = block.block();  // the block may drop the caller's copy while it runs
  const internal::BlockBody& body = keep->body();
  Nesting nest(*this);
  auto frame = std::make_shared<internal::Frame>();
  frame->slots.resize(static_cast<std::size_t>(body.paramCount));
  for (std::size_t i = 0; i < frame->slots.size() && i < args.size(); ++i) frame->slots[i] = args[i];
  frame->outer = keep->outer();
  internal::Ctx c{*this, frame};
  Value r;
  for (const auto& n : body.exprs) r = n->eval(c);
  return r;
}

Runtime::Nesting::Nesting(Runtime& rt) : rt_(rt) {
  if (++rt_.nesting_ <= kMaxNesting) return;
  --rt_.nesting_;
  Error e;
  e.genCode = GenCode::Limit;
  e.description = "Macros or code blocks nested too deeply";
  throw RuntimeError(std::move(e));
}

}  // namespace rt
