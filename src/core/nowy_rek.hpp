// src/core/nowy_rek.hpp — NOWY_REK: false while the current record is a real record whose
// INDEKS is still empty (a line being filled in); true at the end of the table or once a
// goods code is there. Entry rule of the columns that need the code first.
#pragma once

#include "ui/context.hpp"

namespace core {

bool NOWY_REK(ui::Context& c);

}  // namespace core
