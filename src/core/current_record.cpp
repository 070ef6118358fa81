// src/core/current_record.cpp — the record the small routines work on.
#include "core/current_record.hpp"

#include <string>

#include "db/workspace.hpp"

namespace core {

db::WorkArea* selectedArea(ui::Context& c) {
  return c.workspace == nullptr ? nullptr : c.workspace->current();
}

db::WorkArea* areaNamed(ui::Context& c, std::string_view alias) {
  return c.workspace == nullptr ? nullptr : c.workspace->find(alias);
}

std::optional<rt::Value> fieldOf(db::WorkArea* area, std::string_view field) {
  if (area == nullptr) return std::nullopt;
  const std::optional<std::size_t> i = area->fieldIndex(field);
  if (!i) return std::nullopt;
  return area->value(*i);
}

rt::Value requiredField(ui::Context& c, std::string_view field) { return c.rt.evaluate(field); }

}  // namespace core
