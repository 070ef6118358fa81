// src/ui/modal_box.hpp — what every modal box of the program shares: a double-line frame in
// the box colour over a saved copy of the area it covers, the cursor hidden while it is
// open, and on closing the area, the colour, the cursor shape and the cursor position put
// back exactly. Also the centring rules of boxes: a text of width w starts at column
// floor((79 - w) / 2), the middle row is 12, a footer on the bottom edge starts at
// left + floor(w/2 - length/2).
#pragma once

#include <string>
#include <string_view>

#include "con/console.hpp"

namespace ui {

inline constexpr int kMiddleRow = 12;
inline constexpr std::string_view kBoxColour = "N/W";

int centredLeft(int width);
int footerColumn(int left, int width, int footerLength);
std::string padded(std::string_view text);                 // one blank on each side
std::string padRight(std::string_view text, int width);    // cut or filled with blanks
std::string trimmed(std::string_view text);                // blanks off both ends
int width(std::string_view cp852);

// RAII: opens on construction, restores on destruction (also when a key read throws).
class ModalBox {
 public:
  // `frame` is the outer rectangle of the box; its inside is blanked.
  ModalBox(con::Console& con, con::Rect frame, std::string_view colour);
  ~ModalBox();
  ModalBox(const ModalBox&) = delete;
  ModalBox& operator=(const ModalBox&) = delete;

 private:
  con::Console& con_;
  con::Rect area_;
  std::string saved_;
  std::string colour_;
  con::Cursor cursor_;
};

// Draws a box frame and its blanked inside in `colour`, keeping the console's colour and
// cursor as they were. Used by the boxes that stay open after the call returns.
void drawFrame(con::Console& con, con::Rect frame, std::string_view colour);

}  // namespace ui
