// src/con/console_keys.cpp — reading keys: the type-ahead buffer, the device, hot keys in
// wait states, the Alt+C break and the clock that ticks while a key is awaited.
#include "con/console.hpp"

#include <algorithm>

#include "con/key_codes.hpp"

namespace con {

void Console::stuff(std::string_view keys) {
  typeAhead_.clear();
  for (char c : keys)
    if (c != '\0') typeAhead_.push_back(static_cast<unsigned char>(c));  // 0 would read as no key
}

void Console::pushKey(int code) { typeAhead_.push_back(code); }

bool Console::setAltCBreak(bool on) {
  const bool previous = altCBreak_;
  altCBreak_ = on;
  return previous;
}

int Console::inkey(KeyWait wait) { return readKey(wait, nullptr); }

int Console::waitKey(KeyWait wait, const HotKeyCall& where) { return readKey(wait, &where); }

int Console::readKey(KeyWait wait, const HotKeyCall* where) {
  const Millis start = device_.elapsed();
  while (true) {
    const std::optional<KeyEvent> key = takeKey(wait, start);
    if (!key) return key::kNone;
    last_ = *key;
    if (where) {
      if (HotKeyHandler handler = bindings_.handlerOf(key->code)) {
        handler(*where);
        continue;
      }
    }
    return key->code;
  }
}

std::optional<KeyEvent> Console::takeKey(KeyWait wait, Millis start) {
  if (!typeAhead_.empty()) {
    const int code = typeAhead_.front();
    typeAhead_.pop_front();
    return KeyEvent{code};
  }
  while (true) {
    tickClock();
    const std::optional<KeyEvent> key = device_.readKey(slice(wait, start));
    if (key) {
      if (key->code == key::kAltC && altCBreak_) {
        if (!onBreak_) throw Interrupted();
        onBreak_();
        continue;
      }
      return key;
    }
    if (wait.limit() && device_.elapsed() - start >= *wait.limit()) return std::nullopt;
  }
}

// How long the device may wait this time: up to the end of the wait, and no longer than to
// the next second while the clock runs.
std::optional<Millis> Console::slice(const KeyWait& wait, Millis start) const {
  std::optional<Millis> limit;
  if (wait.limit()) limit = std::max(Millis(0), *wait.limit() - (device_.elapsed() - start));
  if (clock_.running()) {
    const Millis toNextSecond(1000 - std::clamp(time_.now().millisecond, 0, 999));
    limit = limit ? std::min(*limit, toNextSecond) : toNextSecond;
  }
  return limit;
}

}  // namespace con
