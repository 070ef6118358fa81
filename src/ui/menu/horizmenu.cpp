// src/ui/menu/horizmenu.cpp — the horizontal choice bar.
#include "ui/menu/horizmenu.hpp"

#include "ui/menu/choice_bar.hpp"
#include "ui/modal_box.hpp"

namespace ui {

int HORIZMENU(Context& c, int row, int col, std::string_view label, const std::vector<std::string>& items,
              int initial) {
  if (items.empty()) return 0;
  c.con.writeCells(row, col, label, c.con.attr(con::Slot::Standard));
  std::vector<Prompt> prompts;
  int at = label.empty() ? col : col + width(label) + 1;
  for (const std::string& item : items) {
    prompts.push_back(Prompt{row, at, item, item});
    at += width(item) + 2;
  }
  return choosePrompt(c, prompts, initial);
}

}  // namespace ui
