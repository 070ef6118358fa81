// src/store/exist.cpp — EXIST.
#include "store/exist.hpp"

#include "db/work_area.hpp"
#include "rt/error.hpp"

namespace store {
namespace {

db::WorkArea* areaOf(Tables& t, const rt::Value& area) {
  if (area.isNumber()) return t.ws.area(static_cast<int>(area.num()));
  if (area.isText()) return t.ws.find(area.text());
  return t.ws.current();
}

}  // namespace

bool EXIST(Tables& t, const rt::Value& key, const rt::Value& area, std::optional<int> order) {
  db::WorkArea* a = areaOf(t, area);
  if (a == nullptr) {
    rt::Error e;
    e.genCode = rt::GenCode::NoAlias;
    e.subsystem = "BASE";
    e.subCode = 1002;
    e.description = "Alias does not exist";
    e.operation = "EXIST";
    t.rt.raise(e);
    return false;
  }
  db::Workspace::Selection selection(t.ws, a->number());
  const int oldOrder = a->orderNumber();
  const std::uint32_t oldRecno = a->recno();
  const auto restore = [&] {
    a->setOrder(oldOrder);
    a->goTo(oldRecno);
  };
  bool found = false;
  try {
    if (order) a->setOrder(*order);
    found = a->seek(key);
  } catch (...) {
    restore();  // a raised error (no order to seek in) leaves the area as it was too
    throw;
  }
  restore();
  return found;
}

}  // namespace store
