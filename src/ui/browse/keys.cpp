// src/ui/browse/keys.cpp — the keys of the running engine: the caller's pre-filter and
// added keys first, then the engine's own table (movement, searches, orders, marks,
// editing, views), then incremental search for printable keys. Global hot keys run inside
// the key wait itself.
#include <algorithm>

#include "con/key_codes.hpp"
#include "rt/number_text.hpp"
#include "ui/browse/engine.hpp"
#include "ui/form/field_edit.hpp"
#include "ui/qtn.hpp"

namespace ui::browse {
namespace {

namespace k = con::key;

constexpr int kClearMarks = 402;
const int kAltM = *k::altLetter('M');

}  // namespace

int Engine::readKey() {
  int key = c_.con.waitKey(con::KeyWait::forever(), con::HotKeyCall{"DOEDIT", 0, {}});
  if (!options_.keyFilter.isNil()) {
    const rt::Value r = callback(options_.keyFilter, {rt::Value::integer(key)});
    if (r.isNumber()) key = static_cast<int>(r.num());
  }
  return key;
}

bool Engine::handle(int key) {
  if (callerKey(key)) return true;
  if (key == k::kEsc) return false;
  if (commonKey(key)) return true;
  if (view_ == ViewKind::Card ? cardKey(key) : tableKey(key)) return true;
  if (key >= 32 && key <= 255) incremental(key);
  return true;
}

bool Engine::callerKey(int key) {
  for (const CallerKey& ck : keys_) {
    if (ck.key != key) continue;
    const rt::Value& action = view_ == ViewKind::Table ? ck.tableAction : ck.cardAction;
    if (action.isNil()) return false;
    callback(action, {rt::Value::integer(key)});
    return true;
  }
  return false;
}

bool Engine::commonKey(int key) {
  switch (key) {
    case k::kEnter:
      if (permitted(options_.editAllowed))
        editCell();
      else if (options_.selectColumn)
        select();
      return true;
    case k::kCtrlEnter:
      if (options_.selectColumn) select();
      return true;
    case k::kDel: DELHOR(); return true;
    case k::kIns: toggleMark(); return true;
    case kClearMarks: clearMarks(); return true;
    default: break;
  }
  if (key == kAltM) {
    toggleMark();
    return true;
  }
  if (key == k::function(2)) EDITLOCATE();
  else if (key == k::function(3)) EDITSEEK();
  else if (key == k::function(4)) EDITFIND();
  else if (key == k::function(5)) cycleOrder();
  else if (key == k::function(6)) prefix_.clear();
  else if (key == k::function(12)) switchView();
  else return false;
  return true;
}

bool Engine::tableKey(int key) {
  const int n = static_cast<int>(tableCols_.size());
  const int height = dataHeight();
  switch (key) {
    case k::kUp: moveRows(-1); return true;
    case k::kDown: downOrAppend(); return true;
    case k::kPgUp: moveRows(-height); return true;
    case k::kPgDn: moveRows(height); return true;
    case k::kCtrlPgUp: toTop(); return true;
    case k::kCtrlPgDn: toBottom(); return true;
    case k::kCtrlHome:
      if (!rows_.empty()) area_.goTo(rows_.front());
      rowPos_ = 0;
      return true;
    case k::kCtrlEnd:
      if (!rows_.empty()) area_.goTo(rows_.back());
      rowPos_ = static_cast<int>(rows_.size()) - 1;
      return true;
    case k::kLeft: column_ = std::max(0, column_ - 1); return true;
    case k::kRight: column_ = std::min(n - 1, column_ + 1); return true;
    case k::kHome: column_ = 0; return true;
    case k::kEnd: column_ = std::max(0, n - 1); return true;
    case k::kCtrlLeft:
      if (firstScrolled_ > freeze_) --firstScrolled_;
      column_ = std::max(column_, 0);
      if (column_ >= freeze_ && column_ < firstScrolled_) column_ = firstScrolled_;
      return true;
    case k::kCtrlRight: {
      const std::vector<int> v = visibleColumns();
      if (!v.empty() && v.back() < n - 1) ++firstScrolled_;
      if (column_ >= freeze_ && column_ < firstScrolled_) column_ = firstScrolled_;
      return true;
    }
    default: break;
  }
  if (key == k::kMouseLeftDown) {
    clickAt(c_.con.lastKeyEvent().row, c_.con.lastKeyEvent().col);
    return true;
  }
  if (key == k::function(9, k::Mod::Shift)) freezeMore(1);
  else if (key == k::function(10, k::Mod::Shift)) freezeMore(-1);
  else if (key == k::function(10) && readOnly_) removeColumn();
  else if (key == k::function(10, k::Mod::Alt) && readOnly_) moveColumnLeft();
  else return false;
  return true;
}

// A click on a row of the view makes its record current, and the clicked column; a click
// elsewhere does nothing.
void Engine::clickAt(int row, int col) {
  const int i = row - dataTop();
  if (i < 0 || i >= static_cast<int>(rows_.size())) return;
  area_.goTo(rows_[static_cast<std::size_t>(i)]);
  rowPos_ = i;
  int x = tableBox().left + 1;
  for (const int v : visibleColumns()) {
    const int w = tableCols_[static_cast<std::size_t>(v)].width;
    if (col >= x && col < x + w) column_ = v;
    x += w + 1;
  }
}

void Engine::switchView() {
  if (!options_.cardLayout || cardCols_.empty()) return;
  std::vector<Column>& from = view_ == ViewKind::Table ? tableCols_ : cardCols_;
  std::vector<Column>& to = view_ == ViewKind::Table ? cardCols_ : tableCols_;
  const int here = view_ == ViewKind::Table ? column_ : cardField_;
  int there = std::min(here, static_cast<int>(to.size()) - 1);
  if (here >= 0 && here < static_cast<int>(from.size()))
    for (std::size_t i = 0; i < to.size(); ++i)
      if (to[i].expression == from[static_cast<std::size_t>(here)].expression) there = static_cast<int>(i);
  if (view_ == ViewKind::Table) {
    cardField_ = std::max(0, there);
    view_ = ViewKind::Card;
  } else {
    column_ = std::max(0, there);
    view_ = ViewKind::Table;
  }
  if (options_.restoreScreen) c_.con.restore(con::Rect::whole(), savedScreen_);
}

void Engine::cycleOrder() {
  std::vector<OrderChoice> offered;
  for (const OrderChoice& o : options_.orders)
    if (!o.name.empty()) offered.push_back(o);
  if (offered.empty()) return;
  const int now = area_.orderNumber();
  std::size_t i = 0;
  while (i < offered.size() && offered[i].order != now) ++i;
  int next;
  if (i + 1 < offered.size()) next = offered[i + 1].order;
  else if (i < offered.size() && naturalAllowed_) next = 0;
  else next = offered[0].order;
  area_.setOrder(next);
  prefix_.clear();
}

void Engine::freezeMore(int delta) {
  freeze_ = std::clamp(freeze_ + delta, 0, std::max(0, static_cast<int>(tableCols_.size()) - 1));
  if (firstScrolled_ < freeze_) firstScrolled_ = freeze_;
}

void Engine::removeColumn() {
  if (tableCols_.size() <= 1) return;
  tableCols_.erase(tableCols_.begin() + column_);
  column_ = std::min(column_, static_cast<int>(tableCols_.size()) - 1);
  freeze_ = std::min(freeze_, static_cast<int>(tableCols_.size()) - 1);
  int width = 0;
  for (const Column& col : tableCols_) width += col.width;
  removedWidth_ = width;
}

void Engine::moveColumnLeft() {
  if (column_ <= 0) return;
  std::swap(tableCols_[static_cast<std::size_t>(column_)], tableCols_[static_cast<std::size_t>(column_ - 1)]);
  --column_;
}

void Engine::downOrAppend() {
  if (area_.eof()) {
    if (permitted(options_.appendAllowed)) appendStep();
    return;
  }
  area_.skip(1);
  if (!area_.eof()) {
    rowPos_ = std::min(rowPos_ + 1, dataHeight() - 1);
    return;
  }
  area_.skip(-1);
  if (permitted(options_.appendAllowed) && appendStep()) rowPos_ = std::min(rowPos_ + 1, dataHeight() - 1);
}

std::string Engine::columnText(int n) {
  if (tableCols_.empty()) return {};
  const Column& col = tableCols_[static_cast<std::size_t>(std::clamp(n, 1, static_cast<int>(tableCols_.size())) - 1)];
  const rt::Value v = evalColumn(col);
  std::string text;
  if (v.isText()) text = v.text();
  else if (v.isNumber()) text = rt::str(v.numberParts());
  else text = displayText(c_.rt, col, v);
  const std::size_t a = text.find_first_not_of(' '), b = text.find_last_not_of(' ');
  return a == std::string::npos ? std::string() : text.substr(a, b - a + 1);
}

// The chosen value is typed for the calling form. In a text field it is padded to the
// field's length and typed from the field's first position, so it replaces what was there.
void Engine::select() {
  if (tableCols_.empty() || area_.eof()) return;
  int n = *options_.selectColumn;
  bool enter = false, comma = false;
  if (n == 0) n = 1;
  if (n < 0) {
    n = -n;
    enter = true;
  }
  if (n > 1000) {
    n -= 1000;
    comma = true;
  }
  std::string text = columnText(n);
  if (!comma && c_.form != nullptr && c_.form->field != nullptr) {
    FieldEdit& field = *c_.form->field;
    const rt::Value current = field.get().var.get();
    if (current.isText() && text.size() < current.text().size()) text.resize(current.text().size(), ' ');
    field.buffer().home();
  }
  selectedRecno_ = area_.recno();
  c_.con.stuff(text);
  if (enter) c_.con.pushKey(k::kEnter);
  if (comma) c_.con.pushKey(',');
  outcome_ = Outcome::Selected;
  leaveRequested_ = true;
}

}  // namespace ui::browse
