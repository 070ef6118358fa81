// src/ui/table_checks.cpp — the work area and order of the field checks.
#include "ui/table_checks.hpp"

#include <string>

#include "db/workspace.hpp"
#include "ui/area_position.hpp"

namespace ui {
namespace {

void raise(Context& c, rt::GenCode code, int subCode, const char* description, std::string_view routine) {
  rt::Error e;
  e.genCode = code;
  e.subsystem = "DBCMD";
  e.subCode = subCode;
  e.description = description;
  e.operation = std::string(routine);
  e.canDefault = true;
  (void)c.rt.raise(std::move(e));
}

}  // namespace

db::WorkArea* currentTable(Context& c, std::string_view routine) {
  db::WorkArea* area = c.workspace != nullptr ? c.workspace->current() : nullptr;
  if (area == nullptr) raise(c, rt::GenCode::NoTable, 2001, "Workarea not in use", routine);
  return area;
}

int namedOrder(Context& c, db::WorkArea& area, const rt::Value& order, std::string_view routine) {
  const int n = orderNumberOf(area, order);
  if (n == 0) raise(c, rt::GenCode::NoOrder, 1020, "Invalid order", routine);
  return n;
}

}  // namespace ui
