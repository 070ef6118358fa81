// src/rt/runtime.cpp — the Runtime object: wiring of the parts it owns.
#include "rt/runtime.hpp"

namespace rt {

Runtime::Runtime() : now_([] { return LocalTime{Date::fromYmd(2000, 1, 1)}; }) {
  registerBuiltins(functions_);
}

Runtime::~Runtime() = default;

Value Runtime::raise(Error e) {
  if (errorHook_) {
    if (auto v = errorHook_(*this, e)) return *v;
  } else if (e.genCode == GenCode::ZeroDiv) {
    return Value::integer(0);
  }
  throw RuntimeError(std::move(e));
}

Value Runtime::call(std::string_view name, std::vector<Value> args) { return call(name, std::span<Value>(args)); }

Value Runtime::call(std::string_view name, std::span<Value> args) {
  const Function* f = functions().find(name);
  if (f == nullptr)
    return raise(Error::of(GenCode::NoFunc, "BASE", 1001, "Undefined function", std::string(name)).substitutable());
  Args a(args);
  return (*f)(*this, a);
}

}  // namespace rt
