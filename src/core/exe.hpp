// src/core/exe.hpp — EXE1 and EXE2, the routines behind Shift+F1 and Shift+F2: kept free
// for an installation's own additions, they do nothing.
#pragma once

#include "ui/context.hpp"

namespace core {

inline void EXE1(ui::Context&) {}
inline void EXE2(ui::Context&) {}

}  // namespace core
