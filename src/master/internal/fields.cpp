// src/master/internal/fields.cpp — field access with the runtime's errors.
#include "master/internal/fields.hpp"

#include "base/check.hpp"
#include "db/order.hpp"
#include "db/workspace.hpp"
#include "rt/error.hpp"
#include "rt/runtime.hpp"
#include "rt/text.hpp"
#include "ui/break.hpp"

namespace master {
namespace {

[[noreturn]] void raise(ui::Context& c, rt::GenCode code, int subCode, std::string description,
                        std::string operation) {
  rt::Error e;
  e.genCode = code;
  e.subCode = subCode;
  e.description = std::move(description);
  e.operation = std::move(operation);
  c.rt.raise(std::move(e));
  throw ui::Break();
}

}  // namespace

db::WorkArea& areaNamed(ui::Context& c, std::string_view alias) {
  ZEL_CHECK(c.workspace != nullptr);
  if (db::WorkArea* a = c.workspace->find(alias)) return *a;
  raise(c, rt::GenCode::NoAlias, 1002, "Alias does not exist", std::string(alias));
}

db::WorkArea& currentArea(ui::Context& c) {
  ZEL_CHECK(c.workspace != nullptr);
  if (db::WorkArea* a = c.workspace->current()) return *a;
  raise(c, rt::GenCode::NoAlias, 1002, "Alias does not exist", "");
}

std::size_t fieldAt(ui::Context& c, db::WorkArea& a, std::string_view name) {
  if (const std::optional<std::size_t> i = a.fieldIndex(name)) return *i;
  raise(c, rt::GenCode::NoVar, 1003, "Variable does not exist", std::string(name));
}

rt::Value fieldValue(ui::Context& c, db::WorkArea& a, std::string_view name) { return a.value(fieldAt(c, a, name)); }

double fieldNumber(ui::Context& c, db::WorkArea& a, std::string_view name) {
  const rt::Value v = fieldValue(c, a, name);
  return v.isNumber() ? v.num() : 0.0;
}

std::string fieldText(ui::Context& c, db::WorkArea& a, std::string_view name) {
  const rt::Value v = fieldValue(c, a, name);
  return v.isText() ? v.text() : std::string();
}

bool hasField(db::WorkArea& a, std::string_view name) { return a.fieldIndex(name).has_value(); }

void storeField(ui::Context& c, db::WorkArea& a, std::string_view name, const rt::Value& v) {
  const rt::FieldHandle h{a.number(), static_cast<std::int32_t>(fieldAt(c, a, name))};
  c.workspace->write(c.rt, h, v);
}

void storeNumber(ui::Context& c, db::WorkArea& a, std::string_view name, double v) {
  const xbase::dbf::Field& f = a.field(fieldAt(c, a, name));
  storeField(c, a, name, rt::Value::number(v, rt::kDefaultWidth, f.decimals));
}

int orderNamed(db::WorkArea& a, std::string_view stem) {
  for (std::size_t n = 1; n <= a.orderCount(); ++n) {
    std::string name = a.order(n)->path();
    if (const std::size_t slash = name.find_last_of("/\\"); slash != std::string::npos) name.erase(0, slash + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    if (rt::equalsNoCase(name, stem)) return static_cast<int>(n);
  }
  return 0;
}

std::string trimRight(std::string_view s) {
  const std::size_t end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(s.substr(0, end + 1));
}

std::string trimBoth(std::string_view s) {
  const std::size_t start = s.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string() : trimRight(s.substr(start));
}

}  // namespace master
