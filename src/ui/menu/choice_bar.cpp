// src/ui/menu/choice_bar.cpp — the prompt choice of the choice bars.
#include "ui/menu/choice_bar.hpp"

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

namespace key = con::key;

void drawPrompt(Context& c, const Prompt& p, bool current) {
  c.con.writeCells(p.row, p.col, p.text, c.con.attr(current ? con::Slot::Enhanced : con::Slot::Standard));
}

// The number of the first item beginning with `k`, or 0.
int itemOfLetter(const std::vector<Prompt>& prompts, int k) {
  const unsigned char wanted = rt::upperCp852(static_cast<unsigned char>(k));
  for (std::size_t i = 0; i < prompts.size(); ++i) {
    const std::string t = trimmed(prompts[i].item);
    if (!t.empty() && rt::upperCp852(static_cast<unsigned char>(t[0])) == wanted) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace

int choosePrompt(Context& c, const std::vector<Prompt>& prompts, int initial) {
  const int n = static_cast<int>(prompts.size());
  int current = initial >= 1 && initial <= n ? initial : 1;
  const con::CursorShape shape = c.con.setCursorShape(con::CursorShape::None);
  struct ShapeBack {
    con::Console& console;
    con::CursorShape previous;
    ~ShapeBack() { console.setCursorShape(previous); }
  } shapeBack{c.con, shape};
  c.con.beginUpdate();
  for (int i = 1; i <= n; ++i) drawPrompt(c, prompts[static_cast<std::size_t>(i - 1)], i == current);
  c.con.endUpdate();
  const con::HotKeyCall where{"MENU", 0, ""};
  for (;;) {
    const int k = c.con.waitKey(con::KeyWait::forever(), where);
    int next = current;
    switch (k) {
      case key::kEnter: return current;
      case key::kEsc: return 0;
      case key::kUp:
      case key::kLeft: next = current == 1 ? n : current - 1; break;
      case key::kDown:
      case key::kRight: next = current == n ? 1 : current + 1; break;
      case key::kHome: next = 1; break;
      case key::kEnd: next = n; break;
      default:
        if (k > 32 && k <= 254)
          if (const int chosen = itemOfLetter(prompts, k)) return chosen;
    }
    if (next == current) continue;
    c.con.beginUpdate();
    drawPrompt(c, prompts[static_cast<std::size_t>(current - 1)], false);
    drawPrompt(c, prompts[static_cast<std::size_t>(next - 1)], true);
    c.con.endUpdate();
    current = next;
  }
}

}  // namespace ui
