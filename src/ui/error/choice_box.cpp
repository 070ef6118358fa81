// src/ui/error/choice_box.cpp — the choice box of the error handler.
#include "ui/error/choice_box.hpp"

#include <algorithm>
#include <cctype>

#include "base/check.hpp"
#include "con/colour.hpp"
#include "con/key_codes.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

namespace key = con::key;

constexpr int kWidest = 76;  // text width inside a frame with one blank each side
constexpr int kMostLines = 18;
constexpr std::string_view kHighlight = "W+/N";

std::vector<std::string> cut(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& l : lines) {
    if (l.empty()) out.emplace_back();
    for (std::size_t i = 0; i < l.size(); i += kWidest) out.push_back(l.substr(i, kWidest));
  }
  if (out.size() > kMostLines) out.resize(kMostLines);
  return out;
}

int choiceWidth(const std::vector<std::string>& choices) {
  int w = 0;
  for (const std::string& s : choices) w += width(s) + 2;
  return w + 2 * (static_cast<int>(choices.size()) - 1);
}

int upper(int k) { return k >= 'a' && k <= 'z' ? k - 'a' + 'A' : k; }

}  // namespace

int choiceBox(Context& c, const std::vector<std::string>& text, const std::vector<std::string>& choices) {
  ZEL_CHECK(!choices.empty());
  const std::vector<std::string> lines = cut(text);
  int w = choiceWidth(choices);
  for (const std::string& l : lines) w = std::max(w, width(l));
  w += 2;
  const int n = static_cast<int>(lines.size());
  const int top = kMiddleRow - (n + 4) / 2;
  const int left = centredLeft(w);
  ModalBox box(c.con, {top, left - 1, top + n + 3, left + w}, kBoxColour);
  for (int i = 0; i < n; ++i) {
    const std::string& l = lines[static_cast<std::size_t>(i)];
    c.con.write(top + 1 + i, left + (w - width(l)) / 2, l);
  }
  const int row = top + n + 2;
  const int first = left + (w - choiceWidth(choices)) / 2;
  const con::Attr normal = c.con.attr(con::Slot::Standard);
  const con::Attr highlighted = con::parseColourEntry(kHighlight);
  const int count = static_cast<int>(choices.size());
  int at = 0;
  for (;;) {
    c.con.beginUpdate();
    for (int i = 0, col = first; i < count; ++i) {
      const std::string shown = padded(choices[static_cast<std::size_t>(i)]);
      c.con.writeCells(row, col, shown, i == at ? highlighted : normal);
      col += width(shown) + 2;
    }
    c.con.endUpdate();
    const int k = c.con.inkey(con::KeyWait::forever());
    if (k == key::kEsc) return 0;
    if (k == key::kEnter) return at + 1;
    if (k == key::kRight || k == key::kTab) at = (at + 1) % count;
    if (k == key::kLeft || k == key::kShiftTab) at = (at + count - 1) % count;
    for (int i = 0; i < count; ++i) {
      const std::string& s = choices[static_cast<std::size_t>(i)];
      if (!s.empty() && upper(k) == upper(static_cast<unsigned char>(s[0]))) return i + 1;
    }
  }
}

}  // namespace ui
