// src/core/apostrof.hpp — APOSTROF: types an apostrophe where the cursor stands and puts the
// cursor back on it (a key bound in forms whose keyboard has no apostrophe of its own).
#pragma once

#include "ui/context.hpp"

namespace core {

void APOSTROF(ui::Context& c);

}  // namespace core
