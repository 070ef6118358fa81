// tests/testkit/call.hpp — calls a registered function by name, as an expression would.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "rt/runtime.hpp"

namespace testkit {

inline rt::Value call(rt::Runtime& rt, const char* name, std::vector<rt::Value> args) {
  if (!rt.functions().contains(name)) throw std::runtime_error(std::string("not registered: ") + name);
  return rt.call(name, std::move(args));
}

}  // namespace testkit
