// src/rt/expression_functions.cpp — the built-ins that use the expression engine itself:
// EVAL(block, args...) and TYPE(text).
#include <optional>

#include "rt/operators.hpp"
#include "rt/runtime.hpp"

namespace rt {

namespace {

Value EVAL(Runtime& rt, Args& a) {
  std::span<Value> all = a.all();
  if (all.empty()) return rt.evalBlock(Value(), {});
  return rt.evalBlock(all[0], all.subspan(1));
}

// While TYPE evaluates, errors must come back here rather than reach the program's error
// handler: the hook is taken away and put back afterwards.
class HookAside {
 public:
  explicit HookAside(Runtime& rt) : rt_(rt), saved_(rt.errorHook()) { rt_.setErrorHook(nullptr); }
  ~HookAside() { rt_.setErrorHook(std::move(saved_)); }
  HookAside(const HookAside&) = delete;
  HookAside& operator=(const HookAside&) = delete;

 private:
  Runtime& rt_;
  Runtime::ErrorHook saved_;
};

// TYPE(text): the type letter of the value the text gives; "U" when it names a variable,
// field, alias or function that does not exist (or gives NIL); "UE" when it does not compile
// or fails otherwise.
Value TYPE(Runtime& rt, Args& a) {
  if (!a[0].isText()) return operandError(rt, "TYPE", 1121);
  ExprRef e;
  try {
    e = rt.compile(a[0].text());
  } catch (const CompileError&) {
    return Value::character("UE");
  }
  HookAside aside(rt);
  try {
    return Value::character(std::string(1, rt.eval(*e).typeLetter()));
  } catch (const RuntimeError& err) {
    const GenCode g = err.error().genCode;
    const bool unknownName = g == GenCode::NoVar || g == GenCode::NoFunc || g == GenCode::NoAlias;
    return Value::character(unknownName ? "U" : "UE");
  }
}

}  // namespace

void registerExpressionFunctions(FunctionTable& table) {
  table.add("EVAL", EVAL);
  table.add("TYPE", TYPE);
}

}  // namespace rt
