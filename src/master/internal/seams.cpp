// src/master/internal/seams.cpp — the window's table scope, opening tables and the print
// loop of the master-data screens.
#include "master/internal/seams.hpp"

#include <memory>
#include <set>

#include "db/workspace.hpp"
#include "print/wydruk.hpp"
#include "rt/error.hpp"
#include "rt/runtime.hpp"
#include "store/index_catalogue.hpp"
#include "store/use.hpp"
#include "ui/browse/engine.hpp"
#include "ui/browse/host.hpp"

namespace master {
namespace {

// An index file that cannot be opened goes to the error handler as the classic runtime
// raised it: Retry tries again, anything else gives up the table.
bool attachOrGiveUp(ui::Context& c, const std::vector<std::string>& indexes) {
  for (;;) {
    const base::Status s = store::attachIndexes(*c.tables, indexes);
    if (s) return true;
    const rt::Value answer = c.rt.raise(
        rt::Error::of(rt::GenCode::Open, "DBFNTX", 1002, "Open error").onFile(s.toString()).retryable().defaultable());
    if (!(answer.isLogical() && answer.logical())) return false;
  }
}

}  // namespace

TableScope::TableScope(ui::Context& c)
    : c_(c), selected_(c.workspace->selected()), mark_(c.workspace->openings()) {}

TableScope::~TableScope() {
  c_.workspace->closeOpenedAfter(mark_);
  c_.workspace->select(selected_);
}

db::WorkArea* openTable(ui::Context& c, std::string_view name, std::string_view mode, std::string_view alias,
                        const std::vector<std::string>& indexes) {
  db::Workspace& ws = *c.workspace;
  ws.select(0);
  if (!store::USE_(*c.tables, name, mode, alias, store::callerAt())) return nullptr;
  db::WorkArea* area = ws.current();
  if (!indexes.empty() && !attachOrGiveUp(c, indexes)) {
    ws.close(area->number());
    return nullptr;
  }
  if (!indexes.empty()) area->goTop();
  return area;
}

void printList(ui::Context& c, std::string_view screenKey, std::string_view layout, int report,
               std::string_view title) {
  const print::ListPrint list{std::string(screenKey), std::string(layout), report, std::string(title), {}, {}, {}};
  while (print::WYDRUK(c, list).again) {
  }
}

void printMarked(ui::Context& c, db::WorkArea& area, std::string_view screenKey, std::string_view layout, int report,
                 std::string_view title) {
  const rt::Value marks = c.rt.vars().get("_ZAZNACZONE");
  if (marks.isArray() && !marks.array()->empty()) {
    auto chosen = std::make_shared<std::set<std::uint32_t>>();
    for (const rt::Value& m : *marks.array())
      if (m.isNumber()) chosen->insert(static_cast<std::uint32_t>(m.num()));
    area.setFilter(db::Expr::predicate([&area, chosen] { return chosen->count(area.recno()) != 0; }));
  }
  c.workspace->select(area.number());
  area.goTop();
  printList(c, screenKey, layout, report, title);
}

std::vector<std::string> catalogueIndexes(std::string_view table) {
  std::vector<std::string> out;
  for (const store::CatalogueTable& t : store::indexCatalogue())
    if (t.table == table)
      for (const store::IndexEntry& x : t.indexes)
        if (!x.repairOnly) out.emplace_back(x.file);
  return out;
}

void redrawRunningList(ui::Context& c) {
  ui::browse::Host& h = ui::browse::hostOf(c);
  if (!h.running.empty()) h.running.back()->press(0);
}

}  // namespace master
