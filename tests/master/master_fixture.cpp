// tests/master/master_fixture.cpp — the master-data test station over a demo copy.
#include "master/master_fixture.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "core/config_vars.hpp"
#include "core/program_vars.hpp"
#include "core/register.hpp"
#include "db/db_functions.hpp"
#include "db/work_area.hpp"
#include "master/internal/seams.hpp"
#include "master/register.hpp"
#include "print/register.hpp"
#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "store/register.hpp"
#include "testkit/call.hpp"
#include "testkit/demo_cache.hpp"
#include "ui/register.hpp"

namespace mastertest {
namespace {

namespace fs = std::filesystem;

void readConfiguration(MasterStation& st) {
  db::UseOptions o;
  o.alias = "CONFIG";
  o.share = xbase::Share::SharedReadOnly;
  o.newArea = true;
  auto area = st.ws.use(st.path("CONFIG.DBF"), o);
  if (!area) throw std::runtime_error("CONFIG: " + area.error().toString());
  db::WorkArea& a = **area;
  a.goTop();
  core::readConfigVars(st.rt, [&a](std::string_view name) -> std::optional<rt::Value> {
    const auto i = a.fieldIndex(name);
    if (!i || a.eof()) return std::nullopt;
    return a.value(*i);
  });
  st.ws.close(a.number());
  core::setStationFolder(st.rt);
}

}  // namespace

std::vector<std::string> indexesOf(const std::string& table) { return master::catalogueIndexes(table); }

MasterStation::MasterStation(const std::string& role) {
  testkit::copyDemo(role, kDemoDate, dir.path());
  ctx.workspace = &ws;
  ctx.tables = &tables;
  tables.seams.retryPause = [] {};
  core::declareProgramVars(rt);
  db::registerDatabaseFunctions(rt.functions(), ws);
  ui::registerUi(rt.functions(), env, paths);
  ui::registerScreen(rt.functions(), ctx);
  store::registerStore(rt.functions());
  store::registerTables(rt.functions(), tables);
  core::registerCore(rt.functions());
  core::registerRoutines(rt.functions(), ctx);
  master::registerMaster(rt.functions(), ctx);
  print::registerPrint(rt.functions(), ctx);
  const rt::Date today = rt::Date::fromDtos(kDemoDate);
  rt.setNow([today] { return rt::LocalTime{today, 10, 30, 0, 0}; });
  readConfiguration(*this);
  rt.vars().set("_OPERATOR", rt::Value::character("ADM"));
  rt.vars().set("_PRIORYTET", rt::Value::number(9));
  rt.settings().deleted = true;
  set("DANE#01/PARADRUK", "WARIANT", "STANDARD", "PORT", rt::Value::character("RAPORT"));
}

// The printing looks for Esc between rows: the wait keeps the keys after it for the dialog.
void MasterStation::printOnce() {
  script.key(con::key::kEnter).waitSeconds(60).keys({con::key::kRight, con::key::kRight, con::key::kEnter});
}

void MasterStation::printNothing() { script.keys({con::key::kRight, con::key::kRight, con::key::kEnter}); }

std::string MasterStation::printout() const {
  const fs::path file = dir / "DANE#01" / "RAPORT.prn";
  return fs::exists(file) ? rt::utf8FromCp852(testkit::readFile(file)) : std::string();
}

MasterStation::~MasterStation() { ws.closeAll(); }

rt::Value MasterStation::call(const char* name, std::vector<rt::Value> args) {
  return testkit::call(rt, name, std::move(args));
}

db::WorkArea& MasterStation::open(const std::string& table, const std::string& alias,
                                  const std::vector<std::string>& indexes) {
  db::UseOptions o;
  o.alias = alias;
  o.newArea = true;
  auto a = ws.use(path(table + ".DBF"), o);
  if (!a) throw std::runtime_error("open " + table + ": " + a.error().toString());
  for (const std::string& x : indexes)
    if (const base::Status s = (*a)->addOrder(path(x + ".NTX")); !s) throw std::runtime_error(x + ": " + s.toString());
  if (!indexes.empty()) (*a)->setOrder(1);
  (*a)->goTop();
  return **a;
}

void MasterStation::set(const std::string& table, const std::string& keyField, const std::string& key,
                        const std::string& field, rt::Value value) {
  const int previous = ws.selected();
  db::WorkArea& a = open(table, "SET_" + table.substr(table.find_last_of('/') + 1), indexesOf(table));
  a.setOrder(0);
  a.goTop();
  const std::size_t k = *a.fieldIndex(keyField);
  while (!a.eof() && a.value(k).text().substr(0, key.size()) != key) a.skip(1);
  if (a.eof()) throw std::runtime_error(table + ": no " + key);
  if (!a.lockRecord()) throw std::runtime_error(table + ": cannot lock");
  if (const base::Status s = a.replace(field, value); !s) throw std::runtime_error(field + ": " + s.toString());
  a.commit();
  ws.close(a.number());
  ws.select(previous);
}

rt::Value MasterStation::get(const std::string& table, const std::string& keyField, const std::string& key,
                             const std::string& field) {
  const int previous = ws.selected();
  db::WorkArea& a = open(table, "GET_" + table.substr(table.find_last_of('/') + 1));
  const std::size_t k = *a.fieldIndex(keyField);
  while (!a.eof() && a.value(k).text().substr(0, key.size()) != key) a.skip(1);
  rt::Value v = a.eof() ? rt::Value() : a.value(*a.fieldIndex(field));
  ws.close(a.number());
  ws.select(previous);
  return v;
}

bool MasterStation::wasShown(const std::string& utf8, int row) const {
  for (const uitest::Shown& s : device.shown)
    for (int r = 0; r < static_cast<int>(s.rows.size()); ++r)
      if ((row < 0 || r == row) && s.row(r).find(utf8) != std::string::npos) return true;
  return false;
}

}  // namespace mastertest
