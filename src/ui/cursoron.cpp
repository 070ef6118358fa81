// src/ui/cursoron.cpp — cursor shapes and the insert mode.
#include "ui/cursoron.hpp"

namespace ui {

using con::CursorShape;

CursorShape CURSORON(Context& c, CursorSize size) {
  const bool large = size == CursorSize::Large;
  const CursorShape shape = c.insertMode ? (large ? CursorShape::Block : CursorShape::Insert)
                                         : (large ? CursorShape::UpperHalf : CursorShape::Normal);
  return c.con.setCursorShape(shape);
}

void INSTOGGLE(Context& c) {
  const CursorShape shape = c.con.cursor().shape;
  if (shape == CursorShape::None) return;
  c.insertMode = !c.insertMode;
  if (c.insertMode) {
    if (shape == CursorShape::Normal) c.con.setCursorShape(CursorShape::Insert);
    if (shape == CursorShape::UpperHalf) c.con.setCursorShape(CursorShape::Block);
  } else {
    if (shape == CursorShape::Insert) c.con.setCursorShape(CursorShape::Normal);
    if (shape == CursorShape::Block) c.con.setCursorShape(CursorShape::UpperHalf);
  }
}

}  // namespace ui
