// src/store/internal/wait_notice.hpp — the notice shown while a table or a lock is awaited:
// a double frame around one or two lines centred in the width of the longer one, over a
// saved copy of the screen it covers. Text and frame take the current colour.
//
// Geometry, for lines of width w: the frame spans columns INT((79 - w) / 2) - 1 to
// INT((79 - w) / 2) + w, from row 10 down to row 12 (one line) or 13 (two lines); line i
// stands on row 10 + i. Rules:
//   N1  the screen under the frame is saved when the object is made, before anything is
//       drawn, and put back by hide() and by the destructor while the notice is shown.
//   N2  the cursor position is put back with the screen.
#pragma once

#include <string>
#include <vector>

#include "con/console.hpp"

namespace store {

class WaitNotice {
 public:
  WaitNotice(con::Console& con, std::vector<std::string> lines);
  ~WaitNotice();
  WaitNotice(const WaitNotice&) = delete;
  WaitNotice& operator=(const WaitNotice&) = delete;

  void show();
  void hide();
  bool shown() const { return shown_; }
  const con::Rect& area() const { return area_; }

 private:
  con::Console& con_;
  std::vector<std::string> lines_;
  int width_ = 0;
  con::Rect area_;
  std::string saved_;
  con::Cursor cursor_;
  bool shown_ = false;
};

// `text` centred in `width` as the classic PADC does: the odd blank goes to the right.
std::string centredIn(const std::string& text, int width);

}  // namespace store
