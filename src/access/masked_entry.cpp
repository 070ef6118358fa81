// src/access/masked_entry.cpp — the blind entry of a password.
#include "access/masked_entry.hpp"

#include "con/colour.hpp"
#include "con/key_codes.hpp"

namespace operators {

std::optional<std::string> readMasked(ui::Context& c, const MaskedEntry& e) {
  const con::Attr attr = con::parseColourEntry(e.colour);
  std::string typed = e.first.substr(0, static_cast<std::size_t>(e.width));
  const auto show = [&] {
    std::string cells;
    for (char ch : typed) cells += e.mask != 0 ? e.mask : ch;
    cells.resize(static_cast<std::size_t>(e.width), ' ');
    c.con.writeCells(e.row, e.col, cells, attr);
    c.con.moveCursor(e.row, e.col + static_cast<int>(typed.size()));
  };
  show();
  while (static_cast<int>(typed.size()) < e.width) {
    const int k = c.con.inkey(con::KeyWait::forever());
    if (k == con::key::kEsc) return std::nullopt;
    if (k == con::key::kEnter) break;
    if (k == con::key::kIns) {
      if (e.onInsert) e.onInsert();
    } else if (k == con::key::kBackspace) {
      if (!typed.empty()) typed.pop_back();
    } else if (k >= 32 && k <= 255) {
      typed += static_cast<char>(k);
    }
    show();
  }
  return typed;
}

}  // namespace operators
