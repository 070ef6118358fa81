// src/ui/menu/menu_level.cpp — reading one menu level: soft seek to the level's first code in
// the run's index and a walk while codes stay below the next level's; without an index, a
// walk over the whole table in natural order, sorted by code afterwards.
#include "ui/menu/menu_level.hpp"

#include <algorithm>
#include <cmath>

#include "base/check.hpp"
#include "db/work_area.hpp"
#include "store/tables.hpp"
#include "store/use.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

std::string fieldText(db::WorkArea& t, std::string_view name) {
  const auto i = t.fieldIndex(name);
  if (!i) return {};
  const rt::Value v = t.value(*i);
  return v.isText() ? v.text() : std::string();
}

int fieldNumber(db::WorkArea& t, std::string_view name) {
  const auto i = t.fieldIndex(name);
  if (!i) return 0;
  const rt::Value v = t.value(*i);
  return v.isNumber() ? static_cast<int>(std::lround(v.num())) : 0;
}

// L3: the condition's value, any failure making the entry unavailable.
bool conditionHolds(Context& c, const std::string& condition) {
  if (trimmed(condition).empty()) return true;
  try {
    const rt::Value v = c.rt.evaluate(trimmed(condition));
    return v.isLogical() && v.logical();
  } catch (const rt::RuntimeError&) {
    return false;
  }
}

MenuEntry entryOf(Context& c, db::WorkArea& t) {
  MenuEntry e;
  e.code = fieldNumber(t, "OPCJA");
  e.text = fieldText(t, "TRESC");
  e.command = trimmed(fieldText(t, "PROCEDURA"));
  e.helpKey = trimmed(fieldText(t, "HBAZA"));
  e.priority = fieldNumber(t, "PRIORYTET");
  e.operators = trimmed(fieldText(t, "WAR_OPE"));
  e.available = conditionHolds(c, fieldText(t, "WARUNEK"));
  if (c.stampCheck && !c.stampCheck(t)) e.available = false;
  return e;
}

void hideBlocked(Context& c, db::WorkArea& t) {
  const rt::Value stary = c.rt.vars().get("_STARY");
  const auto blokada = t.fieldIndex("BLOKADA");
  if (!stary.isLogical() || !stary.logical() || !blokada) return;
  t.setFilter(db::Expr::predicate([&t, i = *blokada] { return trimmed(t.value(i).text()).empty(); }));
}

std::vector<MenuEntry> collectIndexed(Context& c, db::WorkArea& t, int level, std::size_t limit) {
  std::vector<MenuEntry> out;
  t.seek(rt::Value::number(level * 10.0), db::SeekMode::Soft);
  for (; !t.eof() && out.size() < limit; t.skip()) {
    if (fieldNumber(t, "OPCJA") >= (level + 1) * 10) break;
    out.push_back(entryOf(c, t));
  }
  return out;
}

std::vector<MenuEntry> collectNatural(Context& c, db::WorkArea& t, int level, std::size_t limit) {
  std::vector<MenuEntry> out;
  for (t.goTop(); !t.eof(); t.skip()) {
    const int code = fieldNumber(t, "OPCJA");
    if (code >= level * 10 && code < (level + 1) * 10) out.push_back(entryOf(c, t));
  }
  std::stable_sort(out.begin(), out.end(), [](const MenuEntry& a, const MenuEntry& b) { return a.code < b.code; });
  if (out.size() > limit) out.resize(limit);
  return out;
}

// Through the table store, so that a table held by another station is waited for behind
// the notice (Esc gives up: no entries).
db::WorkArea* openMenuFile(Context& c) {
  ZEL_CHECK(c.tables != nullptr);
  db::Workspace& ws = *c.workspace;
  if (!ws.env().exists(c.tables->tablePath("MENU"))) return nullptr;
  const int previous = ws.selected();
  ws.select(0);
  if (store::USE_(*c.tables, "MENU", "R", {}, store::callerAt())) return ws.current();
  ws.select(previous);
  return nullptr;
}

}  // namespace

db::WorkArea* openMenuTable(Context& c) {
  db::Workspace& ws = *c.workspace;
  db::WorkArea* t = openMenuFile(c);
  if (t == nullptr) return nullptr;
  const std::string stationIndex = c.paths.resolve(c.text("_SC") + "MENU.NTX");
  const std::string programIndex = c.paths.resolve("MENU.NTX");
  if (!c.text("_SC").empty() && ws.env().exists(stationIndex)) {
    if (!t->addOrder(stationIndex)) t->clearOrders();
  } else if (ws.env().exists(programIndex)) {
    if (!t->addOrder(programIndex)) t->clearOrders();
  }
  return t;
}

std::vector<MenuEntry> readMenuLevel(Context& c, int level) {
  ZEL_CHECK(c.workspace != nullptr);
  const bool mainMenu = level == 0;
  const std::size_t limit = mainMenu ? kMaxMenuEntries - 1 : kMaxMenuEntries;
  std::vector<MenuEntry> entries;
  if (db::WorkArea* t = openMenuTable(c)) {
    const int areaNumber = t->number();
    try {
      hideBlocked(c, *t);
      entries = t->orderCount() > 0 ? collectIndexed(c, *t, level, limit) : collectNatural(c, *t, level, limit);
    } catch (...) {
      c.workspace->close(areaNumber);
      throw;
    }
    c.workspace->close(areaNumber);
  }
  if (mainMenu) {
    MenuEntry closing;
    closing.text = std::string(kClosingEntryText);
    entries.push_back(closing);
  }
  return entries;
}

}  // namespace ui
