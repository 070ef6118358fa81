// src/ui/memo/memo_view.cpp — the read-only memo viewer.
#include "ui/memo/memo_view.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "base/check.hpp"
#include "con/key_codes.hpp"
#include "ui/memo/memo_text.hpp"

namespace ui {
namespace {

namespace key = con::key;

struct Viewer {
  Context& c;
  con::Rect window;
  std::vector<std::string> paragraphs;
  std::vector<WrappedLine> lines;
  int top = 0;

  int height() const { return window.bottom - window.top + 1; }
  int width() const { return window.right - window.left + 1; }
  int lastTop() const { return std::max(0, static_cast<int>(lines.size()) - height()); }

  void draw() {
    const con::Attr attr = c.con.attr(con::Slot::Standard);
    c.con.beginUpdate();
    for (int r = 0; r < height(); ++r) {
      std::string text;
      const int i = top + r;
      if (i < static_cast<int>(lines.size())) {
        const WrappedLine& l = lines[static_cast<std::size_t>(i)];
        text = paragraphs[static_cast<std::size_t>(l.paragraph)].substr(static_cast<std::size_t>(l.start),
                                                                      static_cast<std::size_t>(l.length));
        std::replace(text.begin(), text.end(), '\t', ' ');
      }
      text.resize(static_cast<std::size_t>(width()), ' ');
      c.con.writeCells(window.top + r, window.left, text, attr);
    }
    c.con.endUpdate();
  }

  // Moves the first shown line; false when the key is not a viewer key.
  bool scroll(int k) {
    switch (k) {
      case key::kUp: top -= 1; break;
      case key::kDown: top += 1; break;
      case key::kPgUp: top -= height(); break;
      case key::kPgDn: top += height(); break;
      case key::kHome:
      case key::kCtrlPgUp: top = 0; break;
      case key::kEnd:
      case key::kCtrlPgDn: top = lastTop(); break;
      default: return false;
    }
    top = std::clamp(top, 0, lastTop());
    return true;
  }
};

}  // namespace

int viewMemo(Context& c, std::string_view stored, con::Rect window, const ViewKeyHook& hook) {
  ZEL_CHECK(!window.empty() && window.top >= 0 && window.left >= 0 && window.bottom < con::kRows &&
            window.right < con::kCols);
  Viewer v{c, window, memoParagraphs(stored), {}, 0};
  v.lines = wrapParagraphs(v.paragraphs, v.width());
  struct HiddenCursor {  // the shape comes back however the viewer ends
    explicit HiddenCursor(con::Console& screen) : console(screen), shape(screen.setCursorShape(con::CursorShape::None)) {}
    ~HiddenCursor() { console.setCursorShape(shape); }
    con::Console& console;
    con::CursorShape shape;
  } hidden(c.con);
  int k = 0;
  for (;;) {
    v.draw();
    k = c.con.waitKey(con::KeyWait::forever(), con::HotKeyCall{"MEMOVIEW", 0, ""});
    const ViewKey use = hook ? hook(k) : ViewKey::Default;
    if (use == ViewKey::Close) break;
    if (use == ViewKey::Handled) continue;
    if (k == key::kEsc || k == key::kCtrlEnd) break;
    v.scroll(k);
  }
  return k;
}

}  // namespace ui
