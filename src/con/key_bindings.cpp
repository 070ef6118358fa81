// src/con/key_bindings.cpp — the table of hot keys.
#include "con/key_bindings.hpp"

namespace con {

HotKeyHandler KeyBindings::bind(int code, HotKeyHandler handler) {
  HotKeyHandler previous;
  if (auto it = set_.find(code); it != set_.end()) {
    previous = std::move(it->second);
    set_.erase(it);
  }
  if (handler) set_.emplace(code, std::move(handler));
  return previous;
}

HotKeyHandler KeyBindings::handlerOf(int code) const {
  auto it = set_.find(code);
  return it == set_.end() ? HotKeyHandler() : it->second;
}

}  // namespace con
