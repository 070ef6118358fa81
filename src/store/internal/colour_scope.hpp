// src/store/internal/colour_scope.hpp — a colour setting for the life of the object; the
// previous setting is back on every way out, a throw included.
#pragma once

#include <string>
#include <string_view>

#include "con/console.hpp"

namespace store {

class ColourScope {
 public:
  ColourScope(con::Console& con, std::string_view colour) : con_(con), previous_(con.setColour(colour)) {}
  ~ColourScope() { con_.setColour(previous_); }
  ColourScope(const ColourScope&) = delete;
  ColourScope& operator=(const ColourScope&) = delete;

 private:
  con::Console& con_;
  std::string previous_;
};

}  // namespace store
