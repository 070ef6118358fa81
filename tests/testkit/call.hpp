// tests/testkit/call.hpp — calls a registered function by name, as an expression would.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "rt/runtime.hpp"

namespace testkit {

inline rt::Value call(rt::Runtime& rt, const char* name, std::vector<rt::Value> args) {
  const rt::Function* f = rt.functions().find(name);
  if (f == nullptr) throw std::runtime_error(std::string("not registered: ") + name);
  rt::Args a(args);
  return (*f)(rt, a);
}

}  // namespace testkit
