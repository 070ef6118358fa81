// src/ui/qpc.cpp — the wait box.
#include "ui/qpc.hpp"

#include "rt/codepage.hpp"
#include "ui/modal_box.hpp"
#include "ui/open_box.hpp"

namespace ui {

using rt::literals::operator""_pl;

void QPC(Context& c, Switch on, std::optional<std::string_view> text) {
  OpenBox& box = c.waitBox;
  if (on == Switch::Off) {
    if (!box.open) return;
    c.con.beginUpdate();
    closeBox(c.con, box);
    c.con.setCursorShape(box.shape);
    c.con.endUpdate();
    return;
  }
  static const std::string kDefault = "  Proszę czekać...  "_pl;
  const std::string line(text ? *text : std::string_view(kDefault));
  const int w = width(line);
  const int left = centredLeft(w);
  const con::Cursor cursor = c.con.cursor();
  c.con.beginUpdate();
  const bool wasOpen = box.open;
  openBox(c.con, box, {kMiddleRow - 1, left - 1, kMiddleRow + 1, left + w});
  const con::CursorShape shape = c.con.setCursorShape(con::CursorShape::None);
  if (!wasOpen) box.shape = shape;
  drawFrame(c.con, box.area, kBoxColour);
  c.con.writeCells(kMiddleRow, left, line, con::parseColourEntry(kBoxColour));
  c.con.moveCursor(cursor.row, cursor.col);
  c.con.endUpdate();
}

}  // namespace ui
