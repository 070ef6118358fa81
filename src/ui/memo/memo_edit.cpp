// src/ui/memo/memo_edit.cpp — the memo editor: a cursor in a list of paragraphs, the
// display lines recomputed after every change.
#include "ui/memo/memo_edit.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "base/check.hpp"
#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "ui/cursoron.hpp"
#include "ui/memo/memo_text.hpp"
#include "ui/qtn.hpp"

namespace ui {
namespace {

namespace key = con::key;
using namespace rt::literals;

constexpr int kCtrlT = 20, kCtrlY = 25, kTabSize = 4;

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

class Editor {
 public:
  Editor(Context& c, std::string_view stored, con::Rect window)
      : c_(c), window_(window), paras_(memoParagraphs(stored)), original_(paras_) {
    relayout();
  }

  bool changed() const { return paras_ != original_; }
  std::string text() const { return memoStoredText(paras_); }
  void draw();
  void apply(int k);

 private:
  int height() const { return window_.bottom - window_.top + 1; }
  int width() const { return window_.right - window_.left + 1; }
  std::string& para() { return paras_[static_cast<std::size_t>(para_)]; }
  int paraLength() const { return static_cast<int>(paras_[static_cast<std::size_t>(para_)].size()); }
  int lastPara() const { return static_cast<int>(paras_.size()) - 1; }
  int lineIndex() const { return lineOf(lines_, para_, off_); }
  const WrappedLine& line() const { return lines_[static_cast<std::size_t>(lineIndex())]; }
  int column() const { return off_ - line().start; }

  void relayout() { lines_ = wrapParagraphs(paras_, width()); }
  void toLine(int index, int col);
  bool move(int k);
  bool edit(int k);
  void typeChar(char ch);
  void enter();
  void backspace();
  void del();
  void deleteWordRight();
  void deleteLine();
  void keepCursorShown();

  Context& c_;
  con::Rect window_;
  std::vector<std::string> paras_;
  const std::vector<std::string> original_;
  std::vector<WrappedLine> lines_;
  int para_ = 0, off_ = 0;
  int top_ = 0;
  int goal_ = -1;  // the column Up and Down aim at, -1 when not moving vertically
};

void Editor::toLine(int index, int col) {
  index = std::clamp(index, 0, static_cast<int>(lines_.size()) - 1);
  const WrappedLine& l = lines_[static_cast<std::size_t>(index)];
  const int maxCol = l.last ? l.length : l.length - 1;
  para_ = l.paragraph;
  off_ = l.start + std::clamp(col, 0, std::max(0, maxCol));
}

bool Editor::move(int k) {
  const int here = lineIndex();
  const bool vertical = k == key::kUp || k == key::kDown || k == key::kPgUp || k == key::kPgDn;
  if (vertical && goal_ < 0) goal_ = column();
  switch (k) {
    case key::kUp: toLine(here - 1, goal_); break;
    case key::kDown: toLine(here + 1, goal_); break;
    case key::kPgUp: top_ -= height(); toLine(here - height(), goal_); break;
    case key::kPgDn: top_ += height(); toLine(here + height(), goal_); break;
    case key::kLeft:
      if (off_ > 0) --off_;
      else if (para_ > 0) --para_, off_ = paraLength();
      break;
    case key::kRight:
      if (off_ < paraLength()) ++off_;
      else if (para_ < lastPara()) ++para_, off_ = 0;
      break;
    case key::kHome: off_ = line().start; break;
    case key::kEnd: toLine(here, width()); break;
    case key::kCtrlHome: toLine(top_, 0); break;
    case key::kCtrlPgUp: para_ = 0, off_ = 0; break;
    case key::kCtrlPgDn: para_ = lastPara(), off_ = paraLength(); break;
    case key::kCtrlLeft:
      if (off_ == 0 && para_ > 0) { --para_, off_ = paraLength(); break; }
      while (off_ > 0 && isBlank(para()[static_cast<std::size_t>(off_ - 1)])) --off_;
      while (off_ > 0 && !isBlank(para()[static_cast<std::size_t>(off_ - 1)])) --off_;
      break;
    case key::kCtrlRight:
      if (off_ == paraLength() && para_ < lastPara()) { ++para_, off_ = 0; break; }
      while (off_ < paraLength() && !isBlank(para()[static_cast<std::size_t>(off_)])) ++off_;
      while (off_ < paraLength() && isBlank(para()[static_cast<std::size_t>(off_)])) ++off_;
      break;
    default: return false;
  }
  if (!vertical) goal_ = -1;
  return true;
}

void Editor::typeChar(char ch) {
  if (!c_.insertMode && off_ < paraLength()) para()[static_cast<std::size_t>(off_)] = ch;
  else para().insert(static_cast<std::size_t>(off_), 1, ch);
  ++off_;
}

void Editor::enter() {
  if (c_.insertMode) {
    std::string rest = para().substr(static_cast<std::size_t>(off_));
    para().erase(static_cast<std::size_t>(off_));
    paras_.insert(paras_.begin() + para_ + 1, std::move(rest));
    ++para_, off_ = 0;
    return;
  }
  const int here = lineIndex();
  if (here + 1 < static_cast<int>(lines_.size())) return toLine(here + 1, 0);
  paras_.emplace_back();
  para_ = lastPara(), off_ = 0;
}

void Editor::backspace() {
  if (off_ > 0) {
    para().erase(static_cast<std::size_t>(--off_), 1);
  } else if (para_ > 0) {
    std::string rest = std::move(para());
    paras_.erase(paras_.begin() + para_);
    --para_;
    off_ = paraLength();
    para() += rest;
  }
}

void Editor::del() {
  if (off_ < paraLength()) {
    para().erase(static_cast<std::size_t>(off_), 1);
  } else if (para_ < lastPara()) {
    para() += paras_[static_cast<std::size_t>(para_ + 1)];
    paras_.erase(paras_.begin() + para_ + 1);
  }
}

void Editor::deleteWordRight() {
  int end = off_;
  while (end < paraLength() && !isBlank(para()[static_cast<std::size_t>(end)])) ++end;
  while (end < paraLength() && isBlank(para()[static_cast<std::size_t>(end)])) ++end;
  if (end == off_) return del();
  para().erase(static_cast<std::size_t>(off_), static_cast<std::size_t>(end - off_));
}

void Editor::deleteLine() {
  const WrappedLine l = line();
  para().erase(static_cast<std::size_t>(l.start), static_cast<std::size_t>(l.length));
  off_ = l.start;
  if (para().empty() && paras_.size() > 1) {
    paras_.erase(paras_.begin() + para_);
    para_ = std::min(para_, lastPara());
    off_ = 0;
  }
}

bool Editor::edit(int k) {
  switch (k) {
    case key::kEnter: enter(); break;
    case key::kBackspace: backspace(); break;
    case key::kDel: del(); break;
    case kCtrlT: deleteWordRight(); break;
    case kCtrlY: deleteLine(); break;
    case key::kTab:
      for (int n = kTabSize - column() % kTabSize; n > 0; --n) typeChar(' ');
      break;
    case key::kIns: INSTOGGLE(c_); break;
    default:
      if (k < key::kSpace || k > 255 || k == key::kCtrlBackspace) return false;
      typeChar(static_cast<char>(k));
  }
  goal_ = -1;
  return true;
}

void Editor::apply(int k) {
  if (move(k)) return keepCursorShown();
  if (edit(k)) {
    relayout();
    keepCursorShown();
  }
}

void Editor::keepCursorShown() {
  const int here = lineIndex();
  const int lastTop = std::max(0, static_cast<int>(lines_.size()) - height());
  top_ = std::clamp(top_, 0, lastTop);
  if (here < top_) top_ = here;
  if (here >= top_ + height()) top_ = here - height() + 1;
}

void Editor::draw() {
  const con::Attr attr = c_.con.attr(con::Slot::Standard);
  c_.con.beginUpdate();
  for (int r = 0; r < height(); ++r) {
    std::string text;
    const std::size_t i = static_cast<std::size_t>(top_ + r);
    if (i < lines_.size()) {
      const WrappedLine& l = lines_[i];
      text = paras_[static_cast<std::size_t>(l.paragraph)].substr(static_cast<std::size_t>(l.start),
                                                                static_cast<std::size_t>(l.length));
      std::replace(text.begin(), text.end(), '\t', ' ');
    }
    text.resize(static_cast<std::size_t>(width()), ' ');
    c_.con.writeCells(window_.top + r, window_.left, text, attr);
  }
  c_.con.moveCursor(window_.top + lineIndex() - top_, window_.left + column());
  c_.con.endUpdate();
}

// Puts the cursor shape back however the editor ends.
class ShapeKeeper {
 public:
  explicit ShapeKeeper(Context& c) : c_(c), shape_(CURSORON(c)) {}
  ~ShapeKeeper() { c_.con.setCursorShape(shape_); }
  ShapeKeeper(const ShapeKeeper&) = delete;
  ShapeKeeper& operator=(const ShapeKeeper&) = delete;

 private:
  Context& c_;
  con::CursorShape shape_;
};

}  // namespace

std::optional<std::string> editMemo(Context& c, std::string_view stored, con::Rect window) {
  ZEL_CHECK(!window.empty() && window.top >= 0 && window.left >= 0 && window.bottom < con::kRows &&
            window.right < con::kCols);
  ShapeKeeper shape(c);
  Editor e(c, stored, window);
  for (;;) {
    e.draw();
    const int k = c.con.waitKey(con::KeyWait::forever(), con::HotKeyCall{"MEMOEDIT", 0, ""});
    if (k == key::kCtrlEnd) return e.changed() ? e.text() : std::string(stored);
    if (k == key::kEsc) {
      if (!e.changed() || QTN(c, "Porzucić wprowadzone zmiany ?"_pl)) return std::nullopt;
      continue;
    }
    e.apply(k);
  }
}

}  // namespace ui
