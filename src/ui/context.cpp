// src/ui/context.cpp — the screen framework's context: construction and variable helpers.
#include "ui/context.hpp"

namespace ui {

Context::Context(rt::Runtime& runtime, con::Console& console, sys::PathResolver& resolver)
    : rt(runtime), con(console), paths(resolver) {
  messages.random = [rng = std::mt19937(std::random_device{}())]() mutable {
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng);
  };
}

double Context::number(std::string_view name) const {
  const rt::Value v = rt.vars().get(name);
  return v.isNumber() ? v.num() : 0.0;
}

std::string Context::text(std::string_view name) const {
  const rt::Value v = rt.vars().get(name);
  return v.isText() ? v.text() : std::string();
}

void Context::setPublic(std::string_view name, rt::Value value) {
  rt.vars().declarePublic(name);
  rt.vars().set(name, std::move(value));
}

}  // namespace ui
