// src/ui/unik1.cpp — UNIK1.
#include "ui/unik1.hpp"

#include "rt/codepage.hpp"
#include "ui/area_position.hpp"
#include "ui/qke.hpp"
#include "ui/table_checks.hpp"

namespace ui {

using namespace rt::literals;

bool UNIK1(Context& c, const rt::Value& order, int field) {
  db::WorkArea* area = currentTable(c, "UNIK1");
  if (area == nullptr) return false;
  if (field < 1 || field > static_cast<int>(area->fieldCount())) {
    rt::Error e;
    e.genCode = rt::GenCode::Bound;
    e.subsystem = "DBCMD";
    e.subCode = 1133;
    e.description = "Bound error";
    e.operation = "UNIK1";
    e.canDefault = true;
    (void)c.rt.raise(std::move(e));
    return false;
  }
  const int n = namedOrder(c, *area, order, "UNIK1");
  if (n == 0) return false;
  const rt::Value value = area->value(static_cast<std::size_t>(field - 1));
  if (value.isEmpty()) {
    QKE(c, "Puste pole !"_pl);
    return false;
  }
  bool unique = true;
  AreaPosition keep(*area);
  area->setOrder(n);
  if (area->seek(value, db::SeekMode::Exact)) {
    area->skip(1);
    unique = !keyIs(*area, value);
  }
  keep.restore();
  if (!unique) QKE(c, "Powtórzenie !"_pl);
  return unique;
}

}  // namespace ui
