// src/ui/help/help_text.cpp — help text lines and the viewer.
#include "ui/help/help_text.hpp"

#include <algorithm>

#include "con/key_codes.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

namespace key = con::key;

constexpr char kSoftReturn = '\x8D';
constexpr int kTabSize = 4;

std::string withoutSoftReturns(std::string_view memo) {
  std::string out;
  for (std::size_t i = 0; i < memo.size(); ++i) {
    if (memo[i] == kSoftReturn && i + 1 < memo.size() && memo[i + 1] == '\n') {
      ++i;
      continue;
    }
    out += memo[i];
  }
  return out;
}

std::string expandTabs(std::string_view line) {
  std::string out;
  for (char ch : line) {
    if (ch != '\t') {
      out += ch;
      continue;
    }
    do out += ' ';
    while (out.size() % kTabSize != 0);
  }
  return out;
}

void wrapInto(std::vector<std::string>& out, std::string line, std::size_t w) {
  while (line.size() > w) {
    const std::size_t blank = line.rfind(' ', w);
    const std::size_t cut = blank == std::string::npos || blank == 0 ? w : blank + 1;
    out.push_back(line.substr(0, cut));
    line.erase(0, cut);
  }
  out.push_back(line);
}

}  // namespace

std::vector<std::string> helpLines(std::string_view memo, int width) {
  const std::string text = withoutSoftReturns(memo);
  const std::size_t w = static_cast<std::size_t>(std::max(width, 1));
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool last = end == std::string::npos;
    if (last) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    wrapInto(out, expandTabs(line), w);
    start = last ? text.size() : end + 1;
  }
  return out;
}

ViewerAction HELPHANDLER(int k) {
  switch (k) {
    case key::kEsc: return ViewerAction::Leave;
    case key::kUp: return ViewerAction::LineUp;
    case key::kDown: return ViewerAction::LineDown;
    case key::kPgUp: return ViewerAction::PageUp;
    case key::kPgDn: return ViewerAction::PageDown;
    case key::kHome:
    case key::kCtrlPgUp: return ViewerAction::Top;
    case key::kEnd:
    case key::kCtrlPgDn: return ViewerAction::Bottom;
    default: return ViewerAction::Ignore;
  }
}

void viewText(Context& c, con::Rect area, const std::vector<std::string>& lines) {
  const int height = area.bottom - area.top + 1;
  const int w = area.right - area.left + 1;
  const int lastFirst = std::max(0, static_cast<int>(lines.size()) - height);
  const con::CursorShape shape = c.con.setCursorShape(con::CursorShape::None);
  int first = 0;
  const con::HotKeyCall where{"HELP", 0, ""};
  for (bool redraw = true;;) {
    if (redraw) {
      c.con.beginUpdate();
      for (int r = 0; r < height; ++r) {
        const std::size_t i = static_cast<std::size_t>(first + r);
        c.con.writeCells(area.top + r, area.left, padRight(i < lines.size() ? lines[i] : std::string(), w),
                         c.con.attr(con::Slot::Standard));
      }
      c.con.endUpdate();
    }
    int next = first;
    switch (HELPHANDLER(c.con.waitKey(con::KeyWait::forever(), where))) {
      case ViewerAction::Leave: c.con.setCursorShape(shape); return;
      case ViewerAction::LineUp: next = first - 1; break;
      case ViewerAction::LineDown: next = first + 1; break;
      case ViewerAction::PageUp: next = first - height; break;
      case ViewerAction::PageDown: next = first + height; break;
      case ViewerAction::Top: next = 0; break;
      case ViewerAction::Bottom: next = lastFirst; break;
      case ViewerAction::Ignore: break;
    }
    next = std::clamp(next, 0, lastFirst);
    redraw = next != first;
    first = next;
  }
}

}  // namespace ui
