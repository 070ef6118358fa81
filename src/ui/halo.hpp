// src/ui/halo.hpp — the message box of the main screen: a group of up to nine text lines
// from the message table, a different group on each showing (a random one first, then the
// next, wrapping to 1). Shown only when the variant string _WERSJA has "T" at position 88
// and a message source is attached; any failure shows nothing.
#pragma once

#include "ui/context.hpp"

namespace ui {

void showMainScreenMessages(Context& c);

}  // namespace ui
