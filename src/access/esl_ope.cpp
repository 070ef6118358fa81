// src/access/esl_ope.cpp — the operators dictionary screen.
#include "access/esl_ope.hpp"

#include <string>

#include "access/stamp_watch.hpp"
#include "base/check.hpp"
#include "db/bulk_index.hpp"
#include "db/bulk_pack.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/operation.hpp"

namespace operators {
namespace {

using rt::literals::operator""_pl;

bool blank(db::WorkArea& t, std::string_view field) {
  const std::optional<std::size_t> i = t.fieldIndex(field);
  return !i || t.value(*i).isEmpty();
}

// Step 2: nameless or passwordless records go, with those deleted on the screen.
void dropIncomplete(db::WorkArea& t) {
  for (std::uint32_t r = 1; r <= t.lastRec(); ++r) {
    t.goTo(r);
    if (t.deleted() || !(blank(t, "KOD") || blank(t, "HASLO"))) continue;
    if (!t.deleteRecord()) throw base::IoFault(t.table().path(), "cannot delete an incomplete operator");
  }
  t.commit();
  if (const base::Status s = db::pack(t); !s) throw base::IoFault(t.table().path(), "cannot pack: " + s.toString());
}

// The password order is built on record numbers and scrambled passwords, both of which the
// screen may have changed; a change of operator later in the run seeks through it.
void rebuildPasswordOrder(store::Tables& tables, db::WorkArea& t) {
  const std::string path = tables.indexPath("SL_OPE_H");
  if (const base::Status s = db::indexOn(t, path, db::IndexSpec("HASLO")); !s)
    throw base::IoFault(path, "cannot build the password order: " + s.toString());
}

void browse(ui::Context& c, db::WorkArea& t) {
  ui::browse::Options o;
  o.table = con::Rect{1, -1, 23, -1};
  o.screenKey = "SL_OPE";
  o.tableLayout = "V1";
  o.editAllowed = rt::Value::logical(true);
  o.appendAllowed = rt::Value::logical(true);
  o.deleteAllowed = rt::Value::logical(true);
  o.appendConfirm = rt::Value::character(".T.");
  o.restoreScreen = false;
  t.goTop();
  if (auto engine = ui::browse::CLASSEDIT(c, t, std::move(o))) ui::browse::DOEDIT(c, *engine);
}

}  // namespace

void ESL_OPE(ui::Context& c) {
  ZEL_CHECK(c.workspace != nullptr && c.tables != nullptr);
  ui::RoutineScope scope(c, "ESL_OPE");
  ui::Operation op(c, "█▓▓▒▒░░  EDYCJA SŁOWNIKA OPERATORÓW ░░▒▒▓▓█"_pl);
  db::WorkArea* t = op.use("SL_OPE", "E");
  if (t == nullptr) return;
  StampWatch watch(*t);
  browse(c, *t);
  watch.renewChanged();
  dropIncomplete(*t);
  rebuildPasswordOrder(*c.tables, *t);
}

}  // namespace operators
