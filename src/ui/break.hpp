// src/ui/break.hpp — Break: gives up the operation that is running and goes back to the
// menu entry that started it. Thrown by the routines that abandon their work (a failed
// drive, a cancelled index rebuild); the menu engine catches it around each command and
// closes the tables the operation left open.
#pragma once

#include <stdexcept>

namespace ui {

class Break : public std::runtime_error {
 public:
  Break() : std::runtime_error("operation abandoned") {}
};

}  // namespace ui
