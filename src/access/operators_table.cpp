// src/access/operators_table.cpp — SL_OPE through the station's work areas.
#include "access/operators_table.hpp"

#include "db/workspace.hpp"

namespace operators {

db::WorkArea* openOperators(ui::Context& c, xbase::Share share, PasswordOrder order, int& previous) {
  if (c.workspace == nullptr) return nullptr;
  previous = c.workspace->selected();
  db::UseOptions o;
  o.alias = "SL_OPE";
  o.share = share;
  o.newArea = true;
  auto area = c.workspace->use(c.paths.resolve("SL_OPE.DBF"), o);
  if (!area) {
    c.workspace->select(previous);
    return nullptr;
  }
  if (order == PasswordOrder::Yes) {
    if (!(*area)->addOrder(c.paths.resolve("SL_OPE_H.NTX"))) {
      closeOperators(c, *area, previous);
      return nullptr;
    }
    (*area)->setOrder(1);
  }
  return *area;
}

void closeOperators(ui::Context& c, db::WorkArea* area, int previous) {
  if (c.workspace == nullptr) return;
  if (area != nullptr) c.workspace->close(area->number());
  c.workspace->select(previous);
}

}  // namespace operators
