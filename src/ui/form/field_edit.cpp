// src/ui/form/field_edit.cpp — the focused field: drawing, keys, leaving.
#include "ui/form/field_edit.hpp"

#include <algorithm>

#include "con/key_codes.hpp"
#include "rt/transform.hpp"
#include "ui/cursoron.hpp"

namespace ui {
namespace {

namespace key = con::key;
constexpr int kCtrlT = 20, kCtrlU = 21, kCtrlY = 25;

// Entry `n` (0-based) of a "unselected,selected" colour; nullopt when absent or empty.
std::optional<con::Attr> colourEntry(std::string_view colour, int n) {
  for (int i = 0; i < n; ++i) {
    const std::size_t comma = colour.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    colour.remove_prefix(comma + 1);
  }
  colour = colour.substr(0, colour.find(','));
  if (colour.find_first_not_of(' ') == std::string_view::npos) return std::nullopt;
  return con::parseColourEntry(colour);
}

con::Attr unselected(const Context& c, const Get& g) {
  return colourEntry(g.colour, 0).value_or(c.con.attr(con::Slot::Unselected));
}

con::Attr selected(const Context& c, const Get& g) {
  return colourEntry(g.colour, 1).value_or(c.con.attr(con::Slot::Enhanced));
}

std::string starred(std::string s) {
  for (char& ch : s)
    if (ch != ' ') ch = '*';
  return s;
}

}  // namespace

int shownWidth(const Get& g, const EditBuffer& b) {
  if (g.width > 0) return g.width;
  if (b.picture().scrollWidth > 0) return std::min(b.picture().scrollWidth, std::max(b.size(), 1));
  return b.size();
}

FieldEdit::FieldEdit(Context& c, Get& g) : c_(c), g_(g), entry_(g.var.get()), buf_(entry_, g.picture, c.rt.settings()) {
  if (c_.form) c_.form->field = this;
}

FieldEdit::~FieldEdit() {
  if (c_.form && c_.form->field == this) c_.form->field = nullptr;
}

void FieldEdit::display() {
  const int w = shownWidth(g_, buf_);
  if (buf_.pos() < offset_) offset_ = buf_.pos();
  if (buf_.pos() >= offset_ + w) offset_ = buf_.pos() - w + 1;
  offset_ = std::max(0, std::min(offset_, buf_.size() - w));
  std::string shown = buf_.text().substr(static_cast<std::size_t>(std::min(offset_, buf_.size())));
  shown.resize(static_cast<std::size_t>(std::max(w, 0)), ' ');
  if (g_.secret) shown = starred(std::move(shown));
  c_.con.writeCells(g_.row, g_.col, shown, selected(c_, g_));
  c_.con.moveCursor(g_.row, g_.col + buf_.pos() - offset_);
}

int FieldEdit::readKey() {
  for (;;) {
    const int k = c_.con.inkey(con::KeyWait::forever());
    con::HotKeyHandler handler = c_.con.bindings().handlerOf(k);
    if (!handler) return k;
    assign();
    handler(con::HotKeyCall{"", 0, g_.var.name()});
    buf_.reload(g_.var.get());
    display();
  }
}

void FieldEdit::applyKey(int k) {
  switch (k) {
    case key::kEnter: exit_ = Exit::Enter; break;
    case key::kTab:
    case key::kDown: exit_ = Exit::Down; break;
    case key::kShiftTab:
    case key::kUp: exit_ = Exit::Up; break;
    case key::kPgUp:
    case key::kPgDn:
    case key::kCtrlEnd: exit_ = Exit::Write; break;
    case key::kCtrlHome: exit_ = Exit::Top; break;
    case key::kEsc:
      if (c_.rt.settings().escape) exit_ = Exit::Escape;
      break;
    case key::kHome: buf_.home(); break;
    case key::kEnd: buf_.end(); break;
    case key::kLeft: buf_.left(); break;
    case key::kRight: buf_.right(); break;
    case key::kCtrlLeft: buf_.wordLeft(); break;
    case key::kCtrlRight: buf_.wordRight(); break;
    case key::kDel: buf_.del(); break;
    case key::kBackspace: buf_.backspace(); break;
    case key::kCtrlBackspace: buf_.deleteWordLeft(); break;
    case kCtrlT: buf_.deleteWordRight(); break;
    case kCtrlY: buf_.deleteToEnd(); break;
    case kCtrlU: buf_.undo(); break;
    case key::kIns: INSTOGGLE(c_); break;
    default:
      if (k < key::kSpace || k > 255) break;
      if (buf_.kind() == FieldKind::Numeric && (k == '.' || k == ',') && buf_.hasDecimalPoint())
        buf_.decimalPoint();
      else
        typeKey(static_cast<unsigned char>(k));
  }
  display();
}

void FieldEdit::typeKey(unsigned char ch) {
  const TypeMode mode = c_.insertMode ? TypeMode::Insert : TypeMode::Overwrite;
  if (buf_.type(ch, mode) && buf_.typedOut() && !c_.rt.settings().confirm) exit_ = Exit::Enter;
}

void FieldEdit::assign() {
  if (!buf_.changed()) return;
  g_.var.set(buf_.value());
  assigned_ = true;
}

bool FieldEdit::leave() {
  if (!buf_.dateValid()) {
    exit_ = Exit::None;
    display();
    return false;
  }
  assign();
  if (!g_.valid.empty()) {
    const bool ok = g_.valid.holds(c_);
    buf_.reload(g_.var.get());
    if (!ok) {
      exit_ = Exit::None;
      display();
      return false;
    }
  }
  return true;
}

bool FieldEdit::leaveWith(const rt::Value& value) {
  g_.var.set(value);
  assigned_ = true;
  if (g_.valid.empty() || g_.valid.holds(c_)) return true;
  exit_ = Exit::None;
  display();
  return false;
}

void FieldEdit::restore() {
  if (assigned_) g_.var.set(entry_);
  assigned_ = false;
}

void drawGet(Context& c, const Get& g) {
  const rt::Value v = g.var.get();
  std::string shown = rt::transform(v, g.picture, c.rt.settings()).value_or(std::string());
  if (g.width > 0) shown.resize(static_cast<std::size_t>(g.width), ' ');
  if (g.secret) shown = starred(std::move(shown));
  c.con.writeCells(g.row, g.col, shown, unselected(c, g));
}

void REDISPLAY(Context& c, std::span<Get> gets) {
  c.con.beginUpdate();
  for (auto it = gets.rbegin(); it != gets.rend(); ++it) drawGet(c, *it);
  c.con.endUpdate();
}

ActiveFormScope::ActiveFormScope(Context& c, std::span<Get> gets) : c_(c), form_{gets, nullptr}, previous_(c.form) {
  c_.form = &form_;
}

}  // namespace ui
