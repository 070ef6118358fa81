// src/ui/help/help.cpp — the help table look-up and the "SUFLER" window. The window is a
// double-line frame across the whole width in the colour _EKRA_BLO, with "SUFLER" centred
// on its top edge and the key line centred on its bottom edge (row 24).
#include "ui/help/help.hpp"

#include <optional>

#include "base/check.hpp"
#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "store/use.hpp"
#include "ui/memo/memo_text.hpp"
#include "ui/modal_box.hpp"
#include "ui/qke.hpp"

namespace ui {
namespace {

using rt::literals::operator""_pl;
namespace key = con::key;

constexpr int kAltF1 = key::function(1, key::Mod::Alt);
constexpr int kTextWidth = 78;
constexpr int kLastTextRow = 23;
constexpr std::string_view kTitle = "SUFLER";

std::string withoutTrailingBlanks(std::string_view s) {
  const auto last = s.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

enum class Lookup { TableMissing, NotFound, Found };

struct Topic {
  Lookup result = Lookup::NotFound;
  std::string text;
};

std::string fieldText(db::WorkArea& t, std::optional<std::size_t> i) {
  if (!i) return {};
  const rt::Value v = t.value(*i);
  return v.isText() ? v.text() : std::string();
}

// Through the table store, so that a table held by another station is waited for behind
// the notice (Esc gives up: no text).
db::WorkArea* openHelpTable(Context& c) {
  ZEL_CHECK(c.tables != nullptr);
  db::Workspace& ws = *c.workspace;
  const int previous = ws.selected();
  ws.select(0);
  if (store::USE_(*c.tables, "HELP", "S", {}, store::callerAt())) return ws.current();
  ws.select(previous);
  return nullptr;
}

// The help table is opened shared in the lowest free area and closed again here.
Topic lookUp(Context& c, std::string_view topic) {
  db::Workspace& ws = *c.workspace;
  if (c.tables == nullptr || !ws.env().exists(c.tables->tablePath("HELP"))) return {Lookup::TableMissing, {}};
  db::WorkArea* opened = openHelpTable(c);
  if (opened == nullptr) return {};
  db::WorkArea& t = *opened;
  struct Closer {
    db::Workspace& ws;
    int area;
    ~Closer() { ws.close(area); }
  } closer{ws, t.number()};
  const auto base = t.fieldIndex("BASE"), opis = t.fieldIndex("OPIS");
  const std::string wanted = withoutTrailingBlanks(topic);
  for (t.goTop(); !t.eof(); t.skip())
    if (withoutTrailingBlanks(fieldText(t, base)) == wanted) return {Lookup::Found, fieldText(t, opis)};
  return {};
}

// Steps 1 and 5 around the window: the hot keys, the selected area and the clock.
class HelpScope {
 public:
  explicit HelpScope(Context& c)
      : c_(c), keys_(c.con.bindings().saveAll()), area_(c.workspace->selected()), clock_(c.con.clockRunning()) {
    c.con.bindings().unbind(key::kF1);
    c.con.bindings().unbind(kAltF1);
  }
  ~HelpScope() {
    c_.con.bindings().restoreAll(std::move(keys_));
    c_.workspace->select(area_);
    if (clock_) c_.con.startClock(4, 70, clockAttr());
  }
  HelpScope(const HelpScope&) = delete;
  HelpScope& operator=(const HelpScope&) = delete;

 private:
  con::Attr clockAttr() const {
    const std::string colours = c_.text("_EKRA_BLO");
    if (colours.empty()) return c_.con.attr(con::Slot::Standard);
    return con::parseColourEntry(std::string_view(colours).substr(0, colours.find(',')));
  }
  Context& c_;
  con::KeyBindings::Set keys_;
  int area_;
  bool clock_;
};

std::string keyLine() { return " Esc - wyjście   "_pl + "\x19 \x18" + " - przeglądanie "_pl; }

void showWindow(Context& c, const std::string& text, HelpCall how) {
  const int n = static_cast<int>(wrapParagraphs(memoParagraphs(text), kTextWidth).size());
  const int top = n >= kLastTextRow ? 0 : kLastTextRow - n;
  const std::string colour = c.text("_EKRA_BLO");
  ModalBox box(c.con, {top, 0, 24, 79}, colour.empty() ? c.con.colour() : colour);
  const std::string footer = keyLine();
  c.con.writeCells(top, footerColumn(0, 80, width(kTitle)), kTitle, c.con.attr(con::Slot::Standard));
  c.con.writeCells(24, footerColumn(0, 80, width(footer)), footer, c.con.attr(con::Slot::Standard));
  c.con.stopClock();
  if (how == HelpCall::HotKey) viewMemo(c, text, {top + 1, 1, kLastTextRow, kTextWidth}, HELPHANDLER);
}

}  // namespace

void HELP(Context& c, std::string_view topic, HelpCall how) {
  if (withoutTrailingBlanks(topic).empty()) return;
  ZEL_CHECK(c.workspace != nullptr);
  HelpScope scope(c);
  const Topic found = lookUp(c, topic);
  if (found.result == Lookup::TableMissing) return QKE(c, "Brak zbioru help.dbf");
  if (found.result == Lookup::NotFound) return;
  showWindow(c, found.text, how);
}

ViewKey HELPHANDLER(int k) {
  switch (k) {
    case key::kEsc: return ViewKey::Close;
    case key::kUp:
    case key::kDown:
    case key::kPgUp:
    case key::kPgDn:
    case key::kHome:
    case key::kEnd:
    case key::kCtrlPgUp:
    case key::kCtrlPgDn: return ViewKey::Default;
    default: return ViewKey::Handled;
  }
}

con::HotKeyHandler helpHandler(Context& c, std::string topic) {
  return [&c, topic = std::move(topic)](const con::HotKeyCall&) { HELP(c, topic, HelpCall::HotKey); };
}

void bindHelpKeys(Context& c) {
  c.con.bindings().bind(key::kF1, helpHandler(c, std::string(kProgramHelpTopic)));
  c.con.bindings().bind(kAltF1, helpHandler(c, std::string(kEditingHelpTopic)));
}

}  // namespace ui
