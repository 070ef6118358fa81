// src/ui/cien.cpp — attribute rewrites, shadows and the error beep.
#include "ui/cien.hpp"

namespace ui {

void ATRYB(Context& c, int top, int left, int bottom, int right, con::Attr attribute) {
  c.con.recolour({top, left, bottom, right}, attribute);
}

void CIEN(Context& c, int top, int left, int bottom, int right) {
  if (bottom >= 24) return;
  const con::Attr shade = c.display == Display::Colour ? 0x08 : 0x00;
  c.con.beginUpdate();
  c.con.recolour({top + 1, right + 1, bottom + 1, right + 2}, shade);
  c.con.recolour({bottom + 1, left + 2, bottom + 1, right}, shade);
  c.con.endUpdate();
}

void RET(Context& c) { c.con.tone(880, 0.5); }

}  // namespace ui
