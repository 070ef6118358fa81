// src/core/haslo.cpp — asking for a special password.
#include "core/haslo.hpp"

#include <optional>
#include <string>
#include <vector>

#include "base/check.hpp"
#include "core/current_record.hpp"
#include "core/program_vars.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "store/use.hpp"
#include "ui/call.hpp"

namespace core {
namespace {

constexpr std::size_t kSwitchPosition = 49;

bool specialPasswordsOn(const ui::Context& c) {
  const std::string variant = WERSJA_(c.rt);
  return variant.size() >= kSwitchPosition && variant[kSwitchPosition - 1] == 'H';
}

// Password n from HASLA; nullopt when the table or the record is not there.
std::optional<std::string> storedPassword(ui::Context& c, int n) {
  db::Workspace& ws = *c.workspace;
  if (n < 1 || !ws.env().exists(c.tables->tablePath("HASLA"))) return std::nullopt;
  const int previous = ws.selected();
  ws.select(0);
  std::optional<std::string> password;
  if (store::USE_(*c.tables, "HASLA", "R", {}, store::callerAt())) {
    db::WorkArea* area = ws.current();
    if (static_cast<std::uint32_t>(n) <= area->lastRec()) {
      area->goTo(static_cast<std::uint32_t>(n));
      if (const std::optional<rt::Value> v = fieldOf(area, "HASLO"); v && v->isText()) password = v->text();
    }
    ws.close(area->number());
  }
  ws.select(previous);
  return password;
}

}  // namespace

bool HASLO(ui::Context& c, int n) {
  ZEL_CHECK(c.workspace != nullptr && c.tables != nullptr);
  if (!specialPasswordsOn(c)) return true;
  const std::optional<std::string> expected = storedPassword(c, n);
  return expected && askPassword(c, *expected, n);
}

bool askPassword(ui::Context& c, std::string_view expected, int level) {
  const rt::Value given = ui::call(
      c, "HA", {rt::Value::character(std::string(expected)), rt::Value::logical(false), rt::Value::integer(level)});
  return given.isLogical() && given.logical();
}

}  // namespace core
