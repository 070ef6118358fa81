// src/core/apostrof.cpp — the apostrophe at the cursor.
#include "core/apostrof.hpp"

namespace core {

void APOSTROF(ui::Context& c) {
  const con::Cursor at = c.con.cursor();
  c.con.write(at.row, at.col, "'");
  c.con.moveCursor(at.row, at.col);
}

}  // namespace core
