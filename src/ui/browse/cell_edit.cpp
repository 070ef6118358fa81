// src/ui/browse/cell_edit.cpp — editing a cell, appending a record and deleting one.
//
// A cell edit: the column's expression names the field (alias->field edits another area);
// on the empty view the append step runs instead; with a lock mode the record or table is
// locked first (waiting behind the notice) and committed and unlocked afterwards; WEJSCIE
// decides whether the cell is read; the reader stores each confirmed value and WARUNEK
// (else SLOWNIK) validates it; Esc puts the value the cell had back; then POWROT picks the
// next column. A write refused for want of a lock takes the record lock for that write,
// so an edit in a shared table is never lost silently.
#include <algorithm>

#include "con/key_codes.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "rt/operators.hpp"
#include "rt/transform.hpp"
#include "ui/browse/blokuj.hpp"
#include "ui/browse/engine.hpp"
#include "ui/browse/host.hpp"
#include "ui/call.hpp"
#include "ui/cursoron.hpp"
#include "ui/qtn.hpp"

namespace ui::browse {

using rt::literals::operator""_pl;
namespace {

constexpr std::size_t kDeleteOptionPosition = 171;  // "W" in _WERSJA: KAS_WIST before deleting

std::string trim(std::string_view s) {
  const std::size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string_view::npos ? std::string() : std::string(s.substr(a, b - a + 1));
}

struct Target {
  db::WorkArea* area = nullptr;
  std::string field;
};

std::optional<Target> targetOf(db::WorkArea& current, const std::string& expression) {
  Target t{&current, trim(expression)};
  const std::size_t arrow = expression.find("->");
  if (arrow != std::string::npos) {
    const std::string alias = rt::upperCp852(trim(expression.substr(0, arrow)));
    t.field = trim(expression.substr(arrow + 2));
    if (alias != "FIELD" && alias != "_FIELD") t.area = current.workspace().find(alias);
  }
  if (t.area == nullptr || !t.area->fieldIndex(rt::upperCp852(t.field))) return std::nullopt;
  t.field = rt::upperCp852(t.field);
  return t;
}

bool sameValue(const rt::Value& a, const rt::Value& b) {
  if (a.type() != b.type()) return false;
  if (a.isText()) return a.text() == b.text();
  if (a.isNumber()) return a.num() == b.num();
  if (a.isDate()) return a.date() == b.date();
  if (a.isLogical()) return a.logical() == b.logical();
  return a.isNil();
}

// The picture of a cell that shows only `visible` of its `width` columns scrolls within them.
std::string scrolledPicture(const std::string& picture, int width, int visible) {
  if (visible >= width) return picture;
  const rt::Picture p = rt::parsePicture(picture);
  const int scroll = std::min(p.scrollWidth > 0 ? p.scrollWidth : 256, visible);
  std::string functions = "@S" + std::to_string(scroll);
  std::string rest = picture;
  if (!rest.empty() && rest[0] == '@') {
    std::size_t end = rest.find(' ');
    std::string letters = rest.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    std::string kept;
    for (std::size_t i = 0; i < letters.size(); ++i) {
      if (letters[i] == 'S' || letters[i] == 's') {
        while (i + 1 < letters.size() && std::isdigit(static_cast<unsigned char>(letters[i + 1]))) ++i;
        continue;
      }
      kept += letters[i];
    }
    functions += kept;
    rest = end == std::string::npos ? std::string() : rest.substr(end);
    return functions + rest;
  }
  return functions + (rest.empty() ? "" : " " + rest);
}

}  // namespace

bool Engine::writeField(db::WorkArea& target, const std::string& field, const rt::Value& v) {
  base::Status s = target.replace(field, v);
  if (s.isOk() || !s.is(base::Errc::Refused)) return s.isOk();
  if (!BLOKUJ(c_, target, LockMode::Record)) return false;
  s = target.replace(field, v);
  target.commit();
  target.unlockRecord(target.recno());
  return s.isOk();
}

void Engine::editCell() {
  for (;;) {
    std::vector<Column>& cols = currentColumns();
    const int idx = view_ == ViewKind::Table ? column_ : cardField_;
    if (idx < 0 || idx >= static_cast<int>(cols.size())) return;
    if (area_.eof()) {
      if (permitted(options_.appendAllowed)) appendStep();
      return;
    }
    if (!permitted(options_.editAllowed)) return;
    const Column col = cols[static_cast<std::size_t>(idx)];
    const std::optional<Target> target = targetOf(area_, col.expression);
    db::WorkArea& t = target ? *target->area : area_;
    const std::uint32_t recno = area_.recno();
    const LockMode mode = lockModeOf(options_.lockMode);
    if (mode != LockMode::None && !BLOKUJ(c_, t, mode)) return;

    const rt::Value entry = col.wejscie.empty() ? rt::Value::logical(false) : callback(rt::Value::character(col.wejscie));
    bool escaped = false, changed = false, runPowrot = false;
    if (entry.isLogical() && entry.logical() && target) {
      escaped = readCell(col, idx, *target->area, target->field, changed);
      runPowrot = !escaped;
    } else if (!entry.isLogical()) {
      runPowrot = true;
    }
    afterEdit(recno, changed);
    if (mode != LockMode::None) {
      t.commit();
      if (mode == LockMode::Record) t.unlockRecord(t.recno()); else t.unlockAll();
    }
    if (!(runPowrot && powrotStep(col))) return;
  }
}

bool Engine::readCell(const Column& col, int idx, db::WorkArea& t, const std::string& field, bool& changed) {
  const std::size_t fi = *t.fieldIndex(field);
  const rt::Value old = t.value(fi);
  FieldRead f;
  if (view_ == ViewKind::Table) {
    const con::Rect box = tableBox();
    int x = box.left + 1;
    for (const int v : visibleColumns()) {
      if (v == idx) break;
      x += tableCols_[static_cast<std::size_t>(v)].width + 1;
    }
    f.row = dataTop() + rowPos_;
    f.col = x;
    f.width = std::max(1, std::min(col.width, box.right - x));
  } else {
    const con::Rect box = cardBox();
    int lw = 1;
    for (const Column& cc : cardCols_) lw = std::max(lw, static_cast<int>(cc.label.size()));
    const int rows = box.bottom - box.top - 1;
    f.row = box.top + 1 + idx - std::max(0, idx - rows + 1);
    f.col = box.left + 3 + lw;
    f.width = std::max(1, std::min(col.width, box.right - f.col));
  }
  f.picture = scrolledPicture(col.picture, col.width, f.width);
  f.value = old;
  f.name = field;
  f.attr = colourAttr(2);
  f.assign = [&](const rt::Value& v) { writeField(t, field, v); };
  const std::string check = !col.warunek.empty() ? col.warunek : col.slownik;
  f.valid = [&, check] {
    if (check.empty()) return true;
    db::Workspace::Selection sel(area_.workspace(), t.number());
    const rt::Value ok = c_.rt.evaluate(check);
    return ok.isLogical() && ok.logical();
  };
  if (!col.slownik.empty())
    f.dictionary = [&] { callback(rt::Value::character(col.slownik)); };
  const con::CursorShape shape = CURSORON(c_, col.slownik.empty() ? CursorSize::Normal : CursorSize::Large);
  const con::HotKeyHandler tab = c_.con.bindings().unbind(con::key::kTab);
  const ReadEnd end = hostOf(c_).reader(c_, f);
  c_.con.bindings().bind(con::key::kTab, tab);
  c_.con.setCursorShape(shape);
  if (end == ReadEnd::Escaped && !sameValue(t.value(fi), old)) writeField(t, field, old);
  changed = !sameValue(t.value(fi), old);
  return end == ReadEnd::Escaped;
}

void Engine::afterEdit(std::uint32_t recno, bool changed) {
  if (!changed || area_.orderNumber() == 0) return;
  const std::vector<std::uint32_t> before = rows_;
  const int pos = rowPos_;
  area_.flush();
  area_.goTo(recno);
  refill();
  if (rows_ != before) rowPos_ = std::max(0, pos - 1);  // the record left its place
}

bool Engine::powrotStep(const Column& col) {
  rt::Value step = rt::Value::logical(true);
  if (!col.powrot.empty()) step = callback(rt::Value::character(col.powrot));
  std::vector<Column>& cols = currentColumns();
  int& idx = view_ == ViewKind::Table ? column_ : cardField_;
  const int n = static_cast<int>(cols.size());
  if (step.isLogical()) {
    if (idx + 1 >= n) return false;
    ++idx;
    return step.logical();
  }
  if (step.isNumber() && step.num() != 0) {
    const int wanted = static_cast<int>(std::abs(step.num()));
    for (int i = 0; i < n; ++i)
      if (cols[static_cast<std::size_t>(i)].kolejnosc == wanted) {
        idx = i;
        return step.num() > 0;
      }
  }
  return false;
}

bool Engine::appendStep() {
  const rt::Value yes = options_.appendConfirm.isNil() ? rt::Value::logical(QTN(c_, "NOWY WIERSZ ?"))
                                                         : callback(options_.appendConfirm);
  if (!yes.isLogical() || !yes.logical()) return false;
  if (options_.appendAction.isNil())
    EDITAPPEND();
  else
    callback(options_.appendAction);
  return !area_.eof();
}

bool Engine::EDITAPPEND() {
  if (!retryBehindNotice(c_, [this] { return area_.appendBlank(); })) return false;
  if (view_ == ViewKind::Table) column_ = 0; else cardField_ = 0;
  c_.con.pushKey(con::key::kEnter);
  return true;
}

void Engine::DELHOR() {
  c_.con.clearTypeAhead();
  if (!permitted(options_.deleteAllowed) || area_.eof()) return;
  if (!QTN(c_, "SKASOWAĆ WIERSZ ?"_pl)) return;
  if (!BLOKUJ(c_, area_, LockMode::Record)) return;
  const std::uint32_t recno = area_.recno();
  const std::string wersja = c_.text("_WERSJA");
  if (wersja.size() >= kDeleteOptionPosition && wersja[kDeleteOptionPosition - 1] == 'W') {
    db::Workspace::Selection sel(area_.workspace(), area_.number());
    call(c_, "KAS_WIST");
  }
  const bool hidden = c_.rt.settings().deleted;
  c_.rt.settings().deleted = true;
  if (area_.deleteRecord().isOk()) {
    const rt::Value list = c_.rt.vars().get("_ZAZNACZONE");
    if (list.isArray())
      std::erase_if(*list.array(), [recno](const rt::Value& e) { return e.isNumber() && e.num() == recno; });
    area_.commit();
    area_.skip(1);
    if (area_.eof() && !naturalAllowed_) area_.goBottom();
  }
  area_.unlockRecord(recno);
  c_.rt.settings().deleted = hidden;
}

}  // namespace ui::browse
