// src/ui/browse/classedit.hpp — CLASSEDIT and DOEDIT for C++ callers: build the engine of a
// list screen over a work area from its EDIT description, and run it.
#pragma once

#include <memory>

#include "ui/browse/engine.hpp"

namespace ui::browse {

// Builds the engine over `area`. nullptr after the message "ZŁY EDIT Baza: " + key when
// the screen key is not in the EDIT table.
std::shared_ptr<Engine> CLASSEDIT(Context& c, db::WorkArea& area, Options options);

// Runs the engine: Outcome::Left after Esc, Outcome::Selected after a selection.
Outcome DOEDIT(Context& c, Engine& engine, int commentLines = 2);

}  // namespace ui::browse
