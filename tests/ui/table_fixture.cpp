// tests/ui/table_fixture.cpp — the station with work areas and its table builders.
#include "table_fixture.hpp"

#include <filesystem>
#include <stdexcept>

#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "ui/register.hpp"
#include "xbase/dbf_file.hpp"

namespace uitest {
namespace {

void check(const base::Status& s, const char* what) {
  if (!s) throw std::runtime_error(std::string(what) + ": " + s.toString());
}

db::WorkArea& openExclusive(db::Workspace& ws, const std::string& path) {
  auto a = ws.use(path, {"", xbase::Share::Exclusive, true});
  if (!a) throw std::runtime_error("use " + path + ": " + a.error().toString());
  return **a;
}

void create(TableStation& s, const std::string& path, const std::vector<xbase::dbf::FieldSpec>& fields) {
  auto t = xbase::DbfFile::create(s.env, s.script.clock(), path, fields);
  if (!t) throw std::runtime_error("create " + path + ": " + t.error().toString());
  (*t)->close();
}

void put(db::WorkArea& a, const char* field, const rt::Value& v) { check(a.replace(field, v), field); }
rt::Value text(const std::string& utf8) { return rt::Value::character(rt::cp852FromUtf8(utf8)); }

}  // namespace

TableStation::TableStation() {
  ctx.workspace = &ws;
  ctx.tables = &tables;
  ui::registerScreen(rt.functions(), ctx);
  ctx.setPublic("_NAZWA_PRG", rt::Value::character("ZELMORAN"));
  ctx.setPublic("_EKRA_BLO", rt::Value::character("W/N, N/W, N/N"));
  ctx.setPublic("_STARY", rt::Value::logical(false));
  ctx.setPublic("_SC", rt::Value::character("DANE#01\\"));
  logIn("JAN", 5);
}

void TableStation::makeMenu(const std::vector<MenuRow>& rows) {
  const std::string path = (dir / "MENU.DBF").string();
  create(*this, path,
         {{"OPCJA", 'N', 4, 0}, {"TRESC", 'C', 36, 0}, {"PROCEDURA", 'C', 60, 0}, {"HBAZA", 'C', 10, 0},
          {"PRIORYTET", 'N', 2, 0}, {"WARUNEK", 'C', 60, 0}, {"WAR_OPE", 'C', 40, 0}, {"BLOKADA", 'C', 1, 0}});
  db::WorkArea& a = openExclusive(ws, path);
  for (const MenuRow& r : rows) {
    check(a.appendBlank(), "append");
    put(a, "OPCJA", rt::Value::number(r.code));
    put(a, "TRESC", text(r.text));
    put(a, "PROCEDURA", text(r.command));
    put(a, "HBAZA", text(r.helpKey));
    put(a, "PRIORYTET", rt::Value::number(r.priority));
    put(a, "WARUNEK", text(r.condition));
    put(a, "WAR_OPE", text(r.operators));
    put(a, "BLOKADA", text(r.blocked));
  }
  ws.close(a.number());
  makeMenuIndex("");
}

void TableStation::makeMenuIndex(const std::string& folder, const std::string& condition) {
  if (!folder.empty()) std::filesystem::create_directories(dir / folder);
  db::WorkArea& a = openExclusive(ws, (dir / "MENU.DBF").string());
  check(db::indexOn(a, (dir / (folder + "MENU.NTX")).string(), db::IndexSpec("OPCJA", condition)), "index");
  ws.close(a.number());
}

void TableStation::makeHelp(const std::vector<HelpRow>& rows) {
  const std::string path = (dir / "HELP.DBF").string();
  create(*this, path, {{"BASE", 'C', 10, 0}, {"OPIS", 'M', 10, 0}});
  db::WorkArea& a = openExclusive(ws, path);
  for (const HelpRow& r : rows) {
    check(a.appendBlank(), "append");
    put(a, "BASE", text(r.topic));
    put(a, "OPIS", rt::Value::memo(rt::cp852FromUtf8(r.text)));
  }
  ws.close(a.number());
}

void TableStation::logIn(const std::string& name, int priority) {
  ctx.setPublic("_OPERATOR", text(name));
  ctx.setPublic("_PRIORYTET", rt::Value::number(priority));
}

bool TableStation::everShown(const std::string& utf8) const {
  for (const Shown& sh : device.shown)
    for (const std::string& row : sh.rows)
      if (row.find(utf8) != std::string::npos) return true;
  return false;
}

}  // namespace uitest
