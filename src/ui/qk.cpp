// src/ui/qk.cpp — the timed notice.
#include "ui/qk.hpp"

#include "ui/modal_box.hpp"

namespace ui {

void QK(Context& c, std::string_view text, std::string_view colour, double seconds) {
  const std::string line = padded(text);
  const int w = width(line);
  const int left = centredLeft(w);
  ModalBox box(c.con, {kMiddleRow - 1, left - 1, kMiddleRow + 1, left + w}, colour);
  c.con.write(kMiddleRow, left, line);
  c.con.inkey(con::KeyWait::classic(seconds));
}

}  // namespace ui
