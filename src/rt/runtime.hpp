// src/rt/runtime.hpp — one station's runtime: the function table, the SET values, the
// memory variables, the compiled-expression cache, the source of "now", the work-area
// fields seen by expressions, and the hook through which run-time errors are raised.
// One Runtime per station process; everything else receives it as a parameter.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rt/error.hpp"
#include "rt/expression.hpp"
#include "rt/function_table.hpp"
#include "rt/memvars.hpp"
#include "rt/settings.hpp"
#include "rt/value.hpp"

namespace rt {

class DataSource;

struct LocalTime {
  Date date;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Runtime {
 public:
  Runtime();  // registers every built-in function
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  FunctionTable& functions() { return functions_; }
  const FunctionTable& functions() const { return functions_; }
  Settings& settings() { return settings_; }
  const Settings& settings() const { return settings_; }
  Memvars& vars() { return vars_; }
  const Memvars& vars() const { return vars_; }

  // "Today" and "now". The program sets this from its clock; tests fix it.
  LocalTime now() const { return now_(); }
  void setNow(std::function<LocalTime()> f) { now_ = std::move(f); }

  // Raises a run-time error. The hook may give a value to use instead (the error
  // handler's defaults); otherwise the error is thrown as RuntimeError. Without a hook,
  // division by zero gives 0 and every other error is thrown.
  Value raise(Error e);
  using ErrorHook = std::function<std::optional<Value>(Runtime&, Error&)>;
  void setErrorHook(ErrorHook hook) { errorHook_ = std::move(hook); }
  const ErrorHook& errorHook() const { return errorHook_; }

  // Calls the function registered as `name` (any case) with `args`, as an expression
  // would; a name not registered raises "Undefined function" (BASE/1001), whose handler may
  // give the value to go on with. The one way for code to call a routine by name:
  //   rt.call("HA", {Value::character(expected), Value::logical(false), Value::integer(0)});
  Value call(std::string_view name, std::vector<Value> args = {});
  // The same with the arguments in the caller's hands: what the routine writes to an
  // argument (a reference argument, @name in an expression) is left in `args`.
  Value call(std::string_view name, std::span<Value> args);

  // Expressions. compile() keeps one compiled form per text (the cache belongs to this
  // Runtime, and so does every expression it gives: it holds this Runtime's variables).
  // A text that does not compile throws CompileError; nothing is cached for it.
  ExprRef compile(std::string_view text);
  Value eval(const Expression& e);
  Value evaluate(std::string_view text) { return eval(*compile(text)); }
  // EVAL(block, args...): the value of the block's last expression. Missing arguments are
  // NIL, extra ones are ignored. A value that is not a block raises "Argument error".
  Value evalBlock(const Value& block, std::span<Value> args);

  // The fields expressions see; nullptr (the default) means none. Not owned.
  void setDataSource(DataSource* ds) { dataSource_ = ds; }
  DataSource* dataSource() const { return dataSource_; }

  // One level of nested evaluation (a macro or a code block). Beyond kMaxNesting levels it
  // throws RuntimeError (GenCode::Limit) instead of exhausting the stack.
  static constexpr int kMaxNesting = 64;
  class Nesting {
   public:
    explicit Nesting(Runtime& rt);
    ~Nesting() { --rt_.nesting_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    Runtime& rt_;
  };

 private:
  FunctionTable functions_;
  Settings settings_;
  Memvars vars_;
  std::function<LocalTime()> now_;
  ErrorHook errorHook_;
  DataSource* dataSource_ = nullptr;
  int nesting_ = 0;
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, ExprRef, TextHash, std::equal_to<>> compiled_;
};

// Registers every built-in function of the runtime library (builtins.cpp).
void registerBuiltins(FunctionTable& table);
// The built-ins that need the expression engine: EVAL, TYPE (expression_functions.cpp).
void registerExpressionFunctions(FunctionTable& table);

}  // namespace rt
