// src/core/tmp.cpp — the one-off ILE_SKA repair.
#include "core/tmp.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "base/check.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"
#include "ui/qtn.hpp"

namespace core {
namespace {

using rt::literals::operator""_pl;

constexpr std::array<std::string_view, 4> kFields = {"ILE_SKA", "ILO_SKA", "ILO_FAK", "ILE_POZ"};

double numberAt(db::WorkArea& t, std::size_t i) {
  const rt::Value v = t.value(i);
  return v.isNumber() ? v.num() : 0;
}

// Fills ILE_SKA over the whole table; false when a field is missing (nothing changed).
bool repair(db::WorkArea& t) {
  std::array<std::size_t, 4> at{};
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const std::optional<std::size_t> f = t.fieldIndex(kFields[i]);
    if (!f) return false;
    at[i] = *f;
  }
  for (t.goTop(); !t.eof(); t.skip()) {
    const double count = numberAt(t, at[0]), counted = numberAt(t, at[1]), delivered = numberAt(t, at[2]);
    if (count != 0 || counted <= 0 || delivered <= 0) continue;
    const base::Status s = t.replace(at[0], rt::Value::number(repairedCount(numberAt(t, at[3]), counted, delivered)));
    if (!s) throw base::IoFault(t.table().path(), "cannot store ILE_SKA: " + s.toString());
  }
  t.commit();
  return true;
}

}  // namespace

rt::Date lastRepairDay() { return rt::Date::fromYmd(2014, 5, 28); }

double repairedCount(double lines, double counted, double delivered) {
  return std::clamp(lines * counted / delivered, 0.0, std::max(lines, 0.0));
}

void TMP(ui::Context& c) {
  ZEL_CHECK(c.workspace != nullptr && c.tables != nullptr);
  ui::Operation op(c, {});  // the one-off repair shows no title
  if (c.rt.now().date > lastRepairDay()) return ui::QKE(c, "Funkcja nieaktywna"_pl);
  if (!ui::QTN(c, "Uzupełnić pole ILE_SKA w ZAM_N.DBF ?"_pl)) return;
  db::WorkArea* t = op.use("ZAM_N", "E");
  if (t == nullptr) return;
  const bool done = repair(*t);
  op.closeTables();
  if (!done) return ui::QKE(c, "Brak pól ILE_SKA, ILO_SKA, ILO_FAK lub ILE_POZ w ZAM_N.DBF"_pl);
  ui::QKE(c, "Uzupełniono pole ILE_SKA w ZAM_N.DBF"_pl);
}

}  // namespace core
