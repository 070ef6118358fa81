// src/ui/menu/menu_list.cpp — the menu list's drawing and key loop.
#include "ui/menu/menu_list.hpp"

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

namespace key = con::key;

constexpr int kLeftDoubleClick = 1006;

void drawItem(Context& c, const std::string& item, ListPlace p, int row, bool highlighted) {
  c.con.writeCells(p.top + row, p.left, padRight(item, p.width),
                   c.con.attr(highlighted ? con::Slot::Enhanced : con::Slot::Standard));
}

// The highlight's move for a navigation key; nullopt for a key the key rule decides.
std::optional<int> navigate(int k, int current, int count) {
  switch (k) {
    case key::kUp: return current == 0 ? count - 1 : current - 1;
    case key::kDown: return current == count - 1 ? 0 : current + 1;
    case key::kHome:
    case key::kPgUp:
    case key::kCtrlPgUp: return 0;
    case key::kEnd:
    case key::kPgDn:
    case key::kCtrlPgDn: return count - 1;
    default: return std::nullopt;
  }
}

}  // namespace

ListAction USERFUNC(int k) {
  if (k == key::kEnter || k == kLeftDoubleClick) return ListAction::Choose;
  if (k == key::kEsc) return ListAction::Leave;
  if (k >= 32 && k <= 254) return ListAction::NextMatching;
  return ListAction::Continue;
}

int nextMatching(const std::vector<std::string>& items, int from, int k) {
  const int n = static_cast<int>(items.size());
  const unsigned char wanted = rt::upperCp852(static_cast<unsigned char>(k));
  for (int step = 1; step <= n; ++step) {
    const int i = (from + step) % n;
    const std::string t = trimmed(items[static_cast<std::size_t>(i)]);
    if (!t.empty() && rt::upperCp852(static_cast<unsigned char>(t[0])) == wanted) return i;
  }
  return from;
}

std::optional<int> chooseFromList(Context& c, const std::vector<std::string>& items, ListPlace p, int initial) {
  const int n = static_cast<int>(items.size());
  int current = initial >= 0 && initial < n ? initial : 0;
  c.con.beginUpdate();
  for (int i = 0; i < n; ++i) drawItem(c, items[static_cast<std::size_t>(i)], p, i, i == current);
  c.con.endUpdate();
  const con::HotKeyCall where{"MENU", 0, ""};
  for (;;) {
    const int k = c.con.waitKey(con::KeyWait::forever(), where);
    int next = current;
    if (const auto moved = navigate(k, current, n)) {
      next = *moved;
    } else {
      switch (USERFUNC(k)) {
        case ListAction::Choose: return current;
        case ListAction::Leave: return std::nullopt;
        case ListAction::NextMatching: next = nextMatching(items, current, k); break;
        case ListAction::Continue: break;
      }
    }
    if (next == current) continue;
    c.con.beginUpdate();
    drawItem(c, items[static_cast<std::size_t>(current)], p, current, false);
    drawItem(c, items[static_cast<std::size_t>(next)], p, next, true);
    c.con.endUpdate();
    current = next;
  }
}

}  // namespace ui
