// src/ui/open_box.cpp — save and restore of the boxes that outlive a call.
#include "ui/open_box.hpp"

namespace ui {

void openBox(con::Console& con, OpenBox& box, con::Rect area) {
  closeBox(con, box);
  box.open = true;
  box.area = area;
  box.saved = con.save(area);
}

void closeBox(con::Console& con, OpenBox& box) {
  if (!box.open) return;
  con.restore(box.area, box.saved);
  box.open = false;
  box.saved.clear();
}

}  // namespace ui
