// src/access/masked_entry.hpp — the blind entry of a password: characters are taken until
// Enter or until `width` of them are typed, each shown as `mask` in `colour` (a mask of 0
// shows the character itself, for colours such as N/N that hide it). Backspace takes back
// the last one; Esc gives nullopt. The screen under the entry is left as typed; the caller
// restores it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/context.hpp"

namespace operators {

struct MaskedEntry {
  int row = 0, col = 0, width = 6;
  std::string colour = "N/W";
  char mask = '*';
  std::string first;  // characters already typed (a key that opened the entry)
  std::function<void()> onInsert;  // the Insert key; ignored when empty
};

std::optional<std::string> readMasked(ui::Context& c, const MaskedEntry& e);

}  // namespace operators
