// src/ui/qke.hpp — QKE, the message box the user must acknowledge, and QKE_ARR, its
// multi-line form. Both leave the screen, colour and cursor exactly as they found them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/context.hpp"

namespace ui {

enum class Esc { Refused, Allowed };

struct QkeOptions {
  std::string second;               // a second text line, "" for none
  std::string colour = "N/W";
  std::string footer = "ENTER";     // "ENTER/ESC" whenever Esc is allowed
  Esc esc = Esc::Refused;
  int row = 12;                     // the row of the text
};

// Shows `text` and waits for Enter (or Esc when allowed; the closing key then goes into
// the public _KY, 13 or 27).
void QKE(Context& c, std::string_view text, const QkeOptions& options = {});

// Up to 23 lines around the middle row; waits and sets _KY as QKE does.
void QKE_ARR(Context& c, const std::vector<std::string>& lines, std::string_view colour = "N/W",
             std::string_view footer = "ENTER", Esc esc = Esc::Refused);

}  // namespace ui
