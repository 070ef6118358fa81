// tests/core/routines_fixture.cpp — the core routines' test station.
#include "core/routines_fixture.hpp"

#include <stdexcept>

#include "core/program_vars.hpp"
#include "core/register.hpp"
#include "db/db_functions.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "testkit/call.hpp"
#include "ui/register.hpp"
#include "xbase/dbf_file.hpp"

namespace coretest {

RoutinesStation::RoutinesStation() {
  ctx.workspace = &ws;
  ctx.tables = &tables;
  tables.seams.retryPause = [] {};
  core::declareProgramVars(rt);
  db::registerDatabaseFunctions(rt.functions(), ws);
  ui::registerScreen(rt.functions(), ctx);
  core::registerCore(rt.functions());
  core::registerRoutines(rt.functions(), ctx);
  setToday(2016, 3, 15);
}

RoutinesStation::~RoutinesStation() { ws.closeAll(); }

void RoutinesStation::setToday(int year, int month, int day) {
  today = rt::Date::fromYmd(year, month, day);
  rt.setNow([d = today] { return rt::LocalTime{d, 10, 30, 0, 0}; });
}

void RoutinesStation::makeTable(const std::string& name, const std::vector<xbase::dbf::FieldSpec>& fields,
                                const std::vector<std::vector<std::string>>& rows) {
  auto t = xbase::DbfFile::create(env, script.clock(), path(name + ".DBF"), fields);
  if (!t) throw std::runtime_error("create " + name + ": " + t.error().toString());
  for (const auto& row : rows) {
    auto rec = (*t)->blankRecord();
    for (std::size_t i = 0; i < row.size() && i < fields.size(); ++i) {
      rt::Value v;
      switch (fields[i].type) {
        case 'N': v = rt::Value::number(row[i].empty() ? 0 : std::stod(row[i]), fields[i].length, fields[i].decimals); break;
        case 'L': v = rt::Value::logical(row[i] == "T"); break;
        case 'D': v = rt::Value::date(rt::Date::fromDtos(row[i])); break;
        default: v = rt::Value::character(rt::cp852FromUtf8(row[i]));
      }
      if (!(*t)->setValue(rec, i, v).isOk()) throw std::runtime_error("value " + row[i]);
    }
    if (!(*t)->appendRecord(rec)) throw std::runtime_error("append");
  }
  (*t)->close();
}

db::WorkArea& RoutinesStation::open(const std::string& name, const std::string& alias) {
  db::UseOptions o;
  o.alias = alias;
  o.newArea = true;
  auto a = ws.use(path(name + ".DBF"), o);
  if (!a) throw std::runtime_error("open " + name + ": " + a.error().toString());
  (*a)->goTop();
  return **a;
}

rt::Value RoutinesStation::call(const char* name, std::vector<rt::Value> args) {
  return testkit::call(rt, name, std::move(args));
}

bool RoutinesStation::wasShown(int row, const std::string& text) const {
  for (const uitest::Shown& s : device.shown)
    if (s.row(row).find(text) != std::string::npos) return true;
  return false;
}

}  // namespace coretest
