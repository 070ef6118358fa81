// src/ui/key.cpp — filling and emptying the keyboard buffer.
#include "ui/key.hpp"

namespace ui {

bool KEY(Context& c, std::string_view text) {
  c.con.stuff(text);
  return true;
}

void CLEARBUFFER(Context& c) {
  c.con.clearTypeAhead();
  while (c.con.inkey(con::KeyWait::none()) != 0) {
  }
}

}  // namespace ui
