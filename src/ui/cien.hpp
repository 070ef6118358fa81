// src/ui/cien.hpp — attribute rewrites and the error beep: ATRYB recolours a rectangle,
// CIEN draws the shadow of a box, RET sounds the error tone.
#pragma once

#include "ui/context.hpp"

namespace ui {

// Every cell of the rectangle gets `attribute`; the characters stay.
void ATRYB(Context& c, int top, int left, int bottom, int right, con::Attr attribute);

// The shadow of the box with these corners: dark grey on black (attribute 8; 0 on a
// monochrome display) on the two columns right of the box (rows top+1 to bottom+1) and on
// the row under it (columns left+2 to right). A box reaching the last row has no shadow.
void CIEN(Context& c, int top, int left, int bottom, int right);

// The error beep: 880 Hz for half a tick.
void RET(Context& c);

}  // namespace ui
