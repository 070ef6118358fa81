// src/ui/qesc.cpp — the waiting box with an Esc hint.
#include "ui/qesc.hpp"

#include <algorithm>

#include "ui/modal_box.hpp"
#include "ui/open_box.hpp"

namespace ui {

void QESC(Context& c, std::optional<std::string_view> text, std::string_view colour, std::string_view footer) {
  if (!text) return closeBox(c.con, c.waitingBox);
  const std::string line = padded(*text);
  const int w = std::max(width(line), width(footer));
  const int left = centredLeft(w);
  const con::Cursor cursor = c.con.cursor();
  c.con.beginUpdate();
  openBox(c.con, c.waitingBox, {kMiddleRow - 1, left - 1, kMiddleRow + 1, left + w});
  drawFrame(c.con, c.waitingBox.area, colour);
  const con::Attr attr = con::parseColourEntry(colour);
  c.con.writeCells(kMiddleRow + 1, footerColumn(left, w, width(footer)), footer, attr);
  c.con.writeCells(kMiddleRow, left, padRight(line, w), attr);
  c.con.moveCursor(cursor.row, cursor.col);
  c.con.endUpdate();
}

}  // namespace ui
