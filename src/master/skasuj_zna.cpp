// src/master/skasuj_zna.cpp — clearing the availability marks of the goods.
#include "master/skasuj_zna.hpp"

#include <algorithm>

#include "db/bulk_index.hpp"
#include "db/workspace.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/seams.hpp"
#include "rt/codepage.hpp"
#include "store/index_catalogue.hpp"
#include "store/tables.hpp"
#include "ui/operation.hpp"
#include "ui/pasek.hpp"
#include "ui/qke.hpp"
#include "ui/qtn.hpp"

namespace master {
namespace {

using rt::literals::operator""_pl;

// Empties `field` in every record, a step of the bar for each.
void clearField(ui::Context& c, db::WorkArea& t, std::string_view name, double step) {
  const std::size_t i = fieldAt(c, t, name);
  const rt::Value blank = rt::Value::character(std::string(t.field(i).length, ' '));
  for (std::uint32_t r = 1; r <= t.lastRec(); ++r) {
    t.goTo(r);
    if (t.value(i).text() != blank.text())
      if (const base::Status s = t.replace(i, blank); !s) throw base::IoFault(t.table().path(), s.toString());
    ui::PASEK(c, step);
  }
  t.commit();
}

// Builds the catalogue's indexes of `table` again over the open area.
void rebuildIndexes(ui::Context& c, db::WorkArea& t, std::string_view table) {
  std::vector<db::IndexTarget> targets;
  for (const store::CatalogueTable& ct : store::indexCatalogue())
    if (ct.table == table)
      for (const store::IndexEntry& x : ct.indexes)
        if (!x.repairOnly)
          targets.push_back({c.tables->indexPath(x.file),
                             db::IndexSpec(std::string(x.key), std::string(x.condition), x.unique)});
  if (const base::Status s = db::indexAll(t, targets); !s)
    throw base::IoFault(t.table().path(), "cannot build the indexes: " + s.toString());
}

}  // namespace

void SKASUJ_ZNA(ui::Context& c) {
  ui::RoutineScope scope(c, "SKASUJ_ZNA");
  ui::Operation op(c, "SKASOWANIE ZNACZNIKÓW NOWOŚCI"_pl);
  db::WorkArea* marks = openTable(c, "ZMIANY", "E");
  if (marks == nullptr) return;
  db::WorkArea* goods = openTable(c, "TOW", "E");
  if (goods == nullptr) return;
  if (!ui::QTN(c, "Skasować znaczniki nowości i uzupełnień stanów ?"_pl)) return;
  const double total = static_cast<double>(marks->lastRec()) + goods->lastRec();
  c.setPublic("_TOTAL", rt::Value::number(total));
  const double step = std::max(1.0, total / 100);
  ui::PASEK(c);
  clearField(c, *marks, "STATUS", step);
  clearField(c, *goods, "USLUGA", step);
  rebuildIndexes(c, *marks, "ZMIANY");
  rebuildIndexes(c, *goods, "TOW");
  ui::PASEK(c);
  ui::QKE(c, "Skasowano znaczniki zmian."_pl);
}

}  // namespace master
