// src/access/operators_table.cpp — SL_OPE through the station's work areas.
#include "access/operators_table.hpp"

#include "base/check.hpp"
#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "store/use.hpp"

namespace operators {

namespace {

std::string_view modeOf(xbase::Share share) {
  switch (share) {
    case xbase::Share::SharedReadOnly: return "R";
    case xbase::Share::Shared: return "S";
    default: return "E";
  }
}

// Through the table store: a table held by another station is waited for behind the
// notice, and Esc gives up.
db::WorkArea* openTable(ui::Context& c, xbase::Share share) {
  ZEL_CHECK(c.tables != nullptr);
  if (!c.workspace->env().exists(c.tables->tablePath("SL_OPE"))) return nullptr;
  c.workspace->select(0);
  return store::USE_(*c.tables, "SL_OPE", modeOf(share), {}, store::callerAt()) ? c.workspace->current() : nullptr;
}

}  // namespace

db::WorkArea* openOperators(ui::Context& c, xbase::Share share, PasswordOrder order, int& previous) {
  if (c.workspace == nullptr) return nullptr;
  previous = c.workspace->selected();
  db::WorkArea* area = openTable(c, share);
  if (area == nullptr) {
    c.workspace->select(previous);
    return nullptr;
  }
  if (order == PasswordOrder::Yes) {
    if (!area->addOrder(c.tables->indexPath("SL_OPE_H"))) {
      closeOperators(c, area, previous);
      return nullptr;
    }
    area->setOrder(1);
  }
  return area;
}

void closeOperators(ui::Context& c, db::WorkArea* area, int previous) {
  if (c.workspace == nullptr) return;
  if (area != nullptr) c.workspace->close(area->number());
  c.workspace->select(previous);
}

}  // namespace operators
