// src/access/operator_lookup.cpp — walks over SL_OPE, UNIK_OPE and V_OPE.
#include "access/operator_lookup.hpp"

#include <functional>

#include "base/check.hpp"
#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "store/use.hpp"
#include "ui/modal_box.hpp"
#include "ui/table_checks.hpp"
#include "xbase/dbf_file.hpp"

namespace operators {
namespace {

std::string fieldOf(db::WorkArea& t, std::size_t i) {
  const rt::Value v = t.value(i);
  return v.isText() ? v.text() : "";
}

// The first live record but `except` for which `match` holds; the pointer is put back.
std::uint32_t findRecord(db::WorkArea& t, std::uint32_t except, const std::function<bool()>& match) {
  const std::uint32_t here = t.recno();
  std::uint32_t hit = 0;
  for (std::uint32_t r = 1; r <= t.lastRec() && hit == 0; ++r) {
    if (r == except) continue;
    t.goTo(r);
    if (!t.deleted() && match()) hit = r;
  }
  t.goTo(here);
  return hit;
}

}  // namespace

std::uint32_t recordWithPassword(db::WorkArea& t, std::string_view scrambled, std::uint32_t except) {
  const auto i = t.fieldIndex("HASLO");
  if (!i) return 0;
  return findRecord(t, except, [&] { return fieldOf(t, *i) == scrambled; });
}

std::uint32_t recordOfOperator(db::WorkArea& t, std::string_view code, std::uint32_t except) {
  const auto i = t.fieldIndex("KOD");
  if (!i) return 0;
  const std::string wanted = ui::trimmed(code);
  return findRecord(t, except, [&] { return ui::trimmed(fieldOf(t, *i)) == wanted; });
}

bool UNIK_OPE(ui::Context& c) {
  db::WorkArea* t = ui::currentTable(c, "UNIK_OPE");
  if (t == nullptr) return false;
  const auto i = t->fieldIndex("KOD");
  if (!i) return true;
  const std::string code = fieldOf(*t, *i);
  return recordOfOperator(*t, code, t->recno()) == 0;
}

bool V_OPE(ui::Context& c) {
  db::WorkArea* d = ui::currentTable(c, "V_OPE");
  if (d == nullptr) return false;
  const auto pole = d->fieldIndex("POLE");
  if (!pole || fieldOf(*d, *pole).find("NAZWA_OPE") == std::string::npos) return true;
  if (db::WorkArea* kon = c.workspace->find("KON")) return kon->fieldIndex("NAZWA_OPE").has_value();
  ZEL_CHECK(c.tables != nullptr);
  if (!c.workspace->env().exists(c.tables->tablePath("KON"))) return false;
  const int previous = c.workspace->selected();
  c.workspace->select(0);
  bool has = false;
  if (store::USE_(*c.tables, "KON", "R", {}, store::callerAt())) {
    db::WorkArea* kon = c.workspace->current();
    has = kon->fieldIndex("NAZWA_OPE").has_value();
    c.workspace->close(kon->number());
  }
  c.workspace->select(previous);
  return has;
}

}  // namespace operators
