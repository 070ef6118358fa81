// src/ui/lookup/lookup.cpp — SL, SLR, their key bindings and the record-number routines.
#include "ui/lookup/lookup.hpp"

#include <algorithm>
#include <cmath>

#include "con/key_codes.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/browse/host.hpp"
#include "ui/browse/register_browse.hpp"
#include "ui/cursoron.hpp"
#include "ui/form/field_edit.hpp"

namespace ui::lookup {

using rt::literals::operator""_pl;
namespace {

constexpr int kLastRow = con::kRows - 1;
constexpr std::size_t kListKeyPosition = 33;  // in _WERSJA: a key unbound while a list runs
constexpr std::string_view kListColour = "N/W,W/N";
constexpr std::string_view kEditableRows = "RECNO() > _ILEREC";

int f8() { return con::key::function(8); }

bool dictionaryKey(int key) { return key == f8() || key == kDictionaryKey; }

db::WorkArea* dictionaryOf(Context& c, const rt::Value& area) {
  if (c.workspace == nullptr) return nullptr;
  if (area.isNumber()) return c.workspace->area(static_cast<int>(std::lround(area.num())));
  if (area.isText()) {
    std::string alias = rt::upperCp852(area.text());
    alias.erase(std::remove(alias.begin(), alias.end(), ' '), alias.end());
    if (!alias.empty()) return c.workspace->find(alias);
  }
  return c.workspace->current();
}

// The variable of the form field being read; nullptr outside forms.
Variable* editedVariable(Context& c) {
  return c.form != nullptr && c.form->field != nullptr ? &c.form->field->get().var : nullptr;
}

// Whether the edited field's value is a key of `d` under `order`.
bool valueExists(Context& c, db::WorkArea& d, int order) {
  db::Workspace::Selection sel(d.workspace(), d.number());
  d.setOrder(order);
  const Variable* v = editedVariable(c);
  if (v == nullptr) return false;
  return d.seek(v->get(), db::SeekMode::Exact);
}

// L2: what a running list changes, put back when it ends.
class ListScope {
 public:
  ListScope(Context& c) : c_(c) {
    if (c_.workspace != nullptr) area_ = c_.workspace->selected();
    f8_ = c_.con.bindings().unbind(f8());
    k532_ = c_.con.bindings().unbind(kDictionaryKey);
    const std::string wersja = c_.text("_WERSJA");
    if (wersja.size() >= kListKeyPosition && wersja[kListKeyPosition - 1] != ' ') {
      listKey_ = static_cast<unsigned char>(wersja[kListKeyPosition - 1]);
      listHandler_ = c_.con.bindings().unbind(listKey_);
    }
    colour_ = c_.con.setColour(kListColour);
    marks_ = c_.rt.vars().get("_ZAZNACZONE");
    c_.setPublic("_ZAZNACZONE", rt::Value::newArray());
  }
  ~ListScope() {
    c_.setPublic("_ZAZNACZONE", marks_.isArray() ? marks_ : rt::Value::newArray());
    c_.con.setColour(colour_);
    if (listKey_ != 0) c_.con.bindings().bind(listKey_, listHandler_);
    c_.con.bindings().bind(kDictionaryKey, k532_);
    c_.con.bindings().bind(f8(), f8_);
    if (c_.workspace != nullptr) c_.workspace->select(area_);
  }
  ListScope(const ListScope&) = delete;
  ListScope& operator=(const ListScope&) = delete;

 private:
  Context& c_;
  int area_ = 0;
  con::HotKeyHandler f8_, k532_, listHandler_;
  int listKey_ = 0;
  std::string colour_;
  rt::Value marks_;
};

// The list's engine: the one kept in `slot` over the same table, else a new one (kept in
// the slot when it is 1..3). nullptr when the screen key is not described.
std::shared_ptr<browse::Engine> engineFor(Context& c, db::WorkArea& d, browse::Options o) {
  const int slot = o.keep;
  if (std::shared_ptr<browse::Engine> kept = browse::keptEngine(c, slot); kept && &kept->area() == &d) return kept;
  std::shared_ptr<browse::Engine> e = browse::CLASSEDIT(c, d, std::move(o));
  if (e) browse::keepEngine(c, slot, e);
  return e;
}

int columnNumber(int valueColumn) {
  int n = std::abs(valueColumn);
  if (n > 1000) n -= 1000;
  return std::max(n, 1);
}

bool textGiven(const rt::Value& v) {
  if (v.isText()) return v.text().find_first_not_of(' ') != std::string::npos;
  return !v.isNil();
}

std::optional<int> intArg(const rt::Value& v) {
  return v.isNumber() ? std::optional<int>(static_cast<int>(std::lround(v.num()))) : std::nullopt;
}
int intOr(const rt::Value& v, int fallback) { return intArg(v).value_or(fallback); }
bool flagOr(const rt::Value& v, bool fallback) { return v.isLogical() ? v.logical() : fallback; }
std::string textOr(const rt::Value& v, std::string fallback) { return v.isText() ? v.text() : fallback; }

void bindBoth(Context& c, const con::HotKeyHandler& h) {
  State& s = stateOf(c);
  con::HotKeyHandler before8 = c.con.bindings().bind(f8(), h);
  con::HotKeyHandler before532 = c.con.bindings().bind(kDictionaryKey, h);
  if (!s.savedKeys) s.savedKeys.emplace(std::move(before8), std::move(before532));
  CURSORON(c, CursorSize::Large);
}

void unbindBoth(Context& c) {
  State& s = stateOf(c);
  if (s.savedKeys) {
    c.con.bindings().bind(f8(), s.savedKeys->first);
    c.con.bindings().bind(kDictionaryKey, s.savedKeys->second);
    s.savedKeys.reset();
  }
  CURSORON(c, CursorSize::Normal);
}

}  // namespace

State& stateOf(Context& c) {
  if (!c.lookup) c.lookup = std::make_shared<State>();
  return *c.lookup;
}

SlArgs slArgs(const rt::Args& a) {
  SlArgs s;
  s.area = a[0];
  s.screenKey = textOr(a[1], "");
  s.layout = textOr(a[2], "V0");
  s.valueColumn = intOr(a[3], 1);
  s.checkOrder = intArg(a[4]);
  s.orders = a[5];
  s.comment = a[6];
  s.additions = flagOr(a[7], false);
  s.lockMode = intOr(a[8], 2);
  s.startOrder = intArg(a[9]);
  s.top = intArg(a[10]);
  s.left = intArg(a[11]);
  s.slot = intOr(a[12], -1);
  s.reposition = flagOr(a[13], true);
  s.bottom = intArg(a[14]);
  s.multiple = flagOr(a[15], false);
  return s;
}

SlrArgs slrArgs(const rt::Args& a) {
  SlrArgs s;
  s.area = a[0];
  s.screenKey = textOr(a[1], "");
  s.layout = textOr(a[2], "V0");
  s.valueColumn = intOr(a[3], 1);
  s.orders = a[4];
  s.comment = a[5];
  s.editing = flagOr(a[6], false);
  s.lockMode = intOr(a[7], 0);
  s.forced = flagOr(a[8], false);
  s.startOrder = intArg(a[9]);
  s.slot = intOr(a[10], -1);
  s.reposition = flagOr(a[11], true);
  s.top = intOr(a[12], 3);
  s.colours = a[13];
  return s;
}

int slBottom(std::uint32_t records, int top) {
  const long raise = 18 - static_cast<long>(records) - top;
  return kLastRow - 1 - static_cast<int>(std::clamp<long>(raise, 0, kLastRow - 1));
}

int slrBottom(std::uint32_t records, bool comment) {
  const long raise = 18 - static_cast<long>(records);
  const int bottom = kLastRow - static_cast<int>(std::clamp<long>(raise, 0, kLastRow));
  return std::min(kLastRow, bottom + (comment ? 1 : 0));
}

bool SL(Context& c, const SlArgs& args) {
  db::WorkArea* found = dictionaryOf(c, args.area);
  if (found == nullptr) return false;
  db::WorkArea& d = *found;
  const int checkOrder = args.checkOrder.value_or(d.orderNumber());
  if (!dictionaryKey(c.con.lastKey())) return valueExists(c, d, checkOrder);

  const std::uint32_t entryRecno = d.recno();
  const int entryOrder = d.orderNumber();
  bool result = false, escaped = true;
  {
    ListScope scope(c);
    rt::Memvars::Scope privates(c.rt.vars());
    const std::uint32_t count = d.lastRec();
    c.rt.vars().declarePrivate("_ILEREC", rt::Value::integer(count));
    if (args.reposition) {
      if (args.startOrder) d.setOrder(*args.startOrder);
      d.goTop();
    }
    browse::Options o;
    o.table = {args.top.value_or(1), args.left.value_or(-1), args.bottom.value_or(slBottom(count, args.top.value_or(0))),
               con::kCols - 1};
    o.screenKey = args.screenKey;
    o.tableLayout = args.layout;
    o.comment = args.comment;
    o.frame = "┌─┐│┘─└│ ┤├┴"_pl;
    o.colour = c.text("_SLOW_BLO");
    o.orders = browse::ordersFromValue(args.orders);
    o.selectColumn = args.valueColumn;
    if (args.additions) {
      o.editAllowed = o.deleteAllowed = rt::Value::character(std::string(kEditableRows));
      o.appendAllowed = rt::Value::logical(true);
    }
    o.lockMode = args.lockMode;
    o.keep = args.slot;
    o.commentLines = 1;
    if (std::shared_ptr<browse::Engine> e = engineFor(c, d, o)) {
      const browse::Outcome out = browse::DOEDIT(c, *e, 1);
      escaped = out == browse::Outcome::Left;
      std::vector<std::uint32_t> chosen;
      if (const rt::Value marks = c.rt.vars().get("_ZAZNACZONE"); marks.isArray())
        for (const rt::Value& m : *marks.array())
          if (m.isNumber()) chosen.push_back(static_cast<std::uint32_t>(m.num()));
      // A pick without marks in a multiple-choice list counts as the one row marked.
      if (args.multiple && chosen.empty() && out == browse::Outcome::Selected) chosen.push_back(e->selectedRecno());
      if (args.multiple && !chosen.empty()) {
        std::string prefix;
        {
          db::Workspace::Selection sel(d.workspace(), d.number());
          for (const std::uint32_t r : chosen) {
            d.goTo(r);
            prefix += e->columnText(columnNumber(args.valueColumn)) + ",";
          }
        }
        if (Variable* v = editedVariable(c)) {
          const rt::Value old = v->get();
          if (old.isText()) {
            std::string text = prefix + old.text();
            text.resize(old.text().size());
            v->set(rt::Value::character(text));
          }
        }
        c.con.clearTypeAhead();
        result = true;
      } else {
        result = valueExists(c, d, checkOrder);
      }
    }
  }
  if (args.reposition) {
    d.setOrder(entryOrder);
    d.goTo(entryRecno);
  }
  if (args.valueColumn > 1000 || (escaped && (args.top || args.left))) c.con.clearTypeAhead();
  return result;
}

bool SLGET(Context& c, const SlArgs& args) {
  bindBoth(c, [&c, args](const con::HotKeyCall&) { SL(c, args); });
  return true;
}

void SLGET(Context& c) { unbindBoth(c); }

bool SLR(Context& c, const SlrArgs& args) {
  db::WorkArea* found = dictionaryOf(c, args.area);
  if (found == nullptr) return true;
  db::WorkArea& d = *found;
  if (d.lastRec() == 0) return true;
  if (!args.forced && !dictionaryKey(c.con.lastKey())) return true;
  c.setPublic("_KTORY_REKORD", rt::Value::integer(0));

  const std::uint32_t entryRecno = d.recno();
  const int entryOrder = d.orderNumber();
  {
    ListScope scope(c);
    rt::Memvars::Scope privates(c.rt.vars());
    const std::uint32_t count = d.lastRec();
    c.rt.vars().declarePrivate("_ILEREC", rt::Value::integer(count));
    if (args.reposition) {
      if (args.startOrder) d.setOrder(*args.startOrder);
      d.goTop();
    }
    const bool comment = textGiven(args.comment);
    browse::Options o;
    o.table = {args.top, -1, slrBottom(count, comment), con::kCols - 1};
    o.screenKey = args.screenKey;
    o.tableLayout = args.layout;
    o.comment = args.comment;
    o.frame = "┌─┐│┘─└│ ┤├┴"_pl;
    o.colour = c.text("_SLOW_BLO");
    o.orders = browse::ordersFromValue(args.orders);
    o.selectColumn = args.valueColumn;
    o.colours = args.colours;
    o.editAllowed = o.appendAllowed = o.deleteAllowed = rt::Value::logical(args.editing);
    o.lockMode = args.editing && args.lockMode == 0 ? 2 : args.lockMode;
    o.keep = args.slot;
    o.commentLines = comment ? 1 : 0;
    if (std::shared_ptr<browse::Engine> e = engineFor(c, d, o)) {
      if (browse::DOEDIT(c, *e, o.commentLines) == browse::Outcome::Selected) {
        db::Workspace::Selection sel(d.workspace(), d.number());
        d.goTo(e->selectedRecno());
        PODAJ_REK(c);
      }
    }
  }
  if (args.reposition) {
    d.setOrder(entryOrder);
    d.goTo(entryRecno);
  }
  return true;
}

bool SLRGET(Context& c, const SlrArgs& args) {
  bindBoth(c, [&c, args](const con::HotKeyCall&) { SLR(c, args); });
  return true;
}

void SLRGET(Context& c) { unbindBoth(c); }

bool ZERUJ(Context& c) {
  c.setPublic("_KTORY_REKORD", rt::Value::integer(0));
  return true;
}

bool PODAJ_REK(Context& c) {
  const db::WorkArea* a = c.workspace != nullptr ? c.workspace->current() : nullptr;
  c.setPublic("_KTORY_REKORD", rt::Value::integer(a != nullptr ? a->recno() : 0));
  c.con.clearTypeAhead();
  return true;
}

}  // namespace ui::lookup
