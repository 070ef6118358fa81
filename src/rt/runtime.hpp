// src/rt/runtime.hpp — one station's runtime: the function table, the SET values, the
// memory variables, the compiled-expression cache, the source of "now", the work-area
// fields seen by expressions, and the hook through which run-time errors are raised.
// One Runtime per station process; everything else receives it as a parameter.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "rt/error.hpp"
#include "rt/function_table.hpp"
#include "rt/memvars.hpp"
#include "rt/settings.hpp"
#include "rt/value.hpp"

namespace rt {

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

 private:
  FunctionTable functions_;
  Settings settings_;
  Memvars vars_;
  std::function<LocalTime()> now_;
  ErrorHook errorHook_;
};

// Registers every built-in function of the runtime library (builtins.cpp).
void registerBuiltins(FunctionTable& table);

}  // namespace rt
