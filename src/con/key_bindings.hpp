// src/con/key_bindings.hpp — global hot keys: a key code bound to a handler that runs when
// the key is read in a wait state (a form, a menu, a list, a wait for any key) instead of
// being returned to it. Plain key reads never run them.
//
// A handler receives where the program was waiting: the calling procedure, its line and
// the name of the variable of the field being edited (empty outside forms). The binding
// that runs is a copy, so a handler may rebind or unbind its own key; while it runs the key
// stays bound, so pressing it again in a nested wait runs the handler again.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace con {

struct HotKeyCall {
  std::string procedure;
  int line = 0;
  std::string variable;
};

using HotKeyHandler = std::function<void(const HotKeyCall&)>;

class KeyBindings {
 public:
  using Set = std::map<int, HotKeyHandler>;

  // Binds `code` and returns the handler it had (empty when none). An empty handler unbinds.
  HotKeyHandler bind(int code, HotKeyHandler handler);
  HotKeyHandler unbind(int code) { return bind(code, {}); }
  bool isBound(int code) const { return set_.count(code) != 0; }
  // The handler of `code`, copied; empty when the key is not bound.
  HotKeyHandler handlerOf(int code) const;

  Set saveAll() const { return set_; }
  void restoreAll(Set saved) { set_ = std::move(saved); }
  void clear() { set_.clear(); }

 private:
  Set set_;
};

}  // namespace con
