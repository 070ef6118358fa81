// src/ui/menu/verticmenu.cpp — the vertical choice box.
#include "ui/menu/verticmenu.hpp"

#include <algorithm>

#include "ui/menu/choice_bar.hpp"
#include "ui/modal_box.hpp"

namespace ui {

int VERTICMENU(Context& c, std::string_view title, const std::vector<std::string>& items, int initial) {
  if (items.empty()) return 0;
  int w = width(title) + 2;
  for (const std::string& item : items) w = std::max(w, width(item) + 2);
  const int left = centredLeft(w);
  const int n = static_cast<int>(items.size());
  ModalBox box(c.con, {10, left - 1, 12 + n, left + w}, "N/W,W/N");
  c.con.writeCells(11, left, " " + std::string(title), c.con.attr(con::Slot::Standard));
  std::vector<Prompt> prompts;
  for (int i = 1; i <= n; ++i) {
    const std::string& item = items[static_cast<std::size_t>(i - 1)];
    prompts.push_back(Prompt{11 + i, left, "  " + item, item});
  }
  return choosePrompt(c, prompts, initial);
}

}  // namespace ui
