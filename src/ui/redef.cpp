// src/ui/redef.cpp — REDEF.
#include "ui/redef.hpp"

#include "rt/codepage.hpp"
#include "ui/area_position.hpp"
#include "ui/qke.hpp"
#include "ui/table_checks.hpp"

namespace ui {

using namespace rt::literals;

bool REDEF(Context& c, const rt::Value& value, const rt::Value& order) {
  db::WorkArea* area = currentTable(c, "REDEF");
  if (area == nullptr) return false;
  const int n = namedOrder(c, *area, order, "REDEF");
  if (n == 0) return false;
  bool twice = false;
  AreaPosition keep(*area);
  area->setOrder(n);
  if (area->seek(value, db::SeekMode::Exact)) {
    area->skip(1);
    twice = keyIs(*area, value);
  }
  keep.restore();
  if (twice) QKE(c, "Powtórzenie danej !"_pl);
  return twice;
}

}  // namespace ui
