// tests/print/print_fixture.cpp — the printing test station.
#include "print/print_fixture.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "db/db_functions.hpp"
#include "db/work_area.hpp"
#include "print/register.hpp"
#include "rt/codepage.hpp"
#include "ui/register.hpp"
#include "xbase/dbf_file.hpp"

namespace printtest {

print::Settings testSettings(const std::string& port) {
  print::Settings s;
  s.pageLength = 20;
  s.reset = false;
  s.port = port;
  return s;
}

PrintStation::PrintStation() {
  ctx.workspace = &ws;
  ctx.tables = &tables;
  tables.seams.retryPause = [] {};
  std::filesystem::create_directory(dir / "DANE#01");
  const std::pair<const char*, rt::Value> vars[] = {
      {"_SC", rt::Value::character("DANE#01\\")},  {"_DRU_DOK", rt::Value::character(std::string(15, ' '))},
      {"_FONT_PS", rt::Value::character("Lucida Console")}, {"_UDOCEZAK", rt::Value::logical(true)},
      {"_LICZBA_STA", rt::Value::number(5)},        {"_OPERATOR", rt::Value::character("ADM")},
      {"_KY", rt::Value::number(0)}};
  for (const auto& [name, value] : vars) ctx.setPublic(name, value);
  rt.setNow([] { return rt::LocalTime{rt::Date::fromYmd(2016, 3, 15), 10, 30, 0, 0}; });
  db::registerDatabaseFunctions(rt.functions(), ws);
  ui::registerScreen(rt.functions(), ctx);
  print::registerPrint(rt.functions(), ctx);
  makeTable("EDIT.DBF",
            {{"BAZA", 'C', 10}, {"NAG1", 'C', 40}, {"POLE", 'C', 100}, {"FORMAT", 'C', 40}, {"STOPKA", 'C', 100},
             {"V1", 'N', 3}},
            {{"KON", "Lp", "LPORZ()", "999", "", "1"},
             {"KON", "Numer", "NR_KON", "", "", "2"},
             {"KON", "Nazwa;kontrahenta", "NAZWA", "", "", "3"},
             {"KON", "Miasto", "MIASTO", "", "", "4"},
             {"KON", "Kwota", "KWOTA", "999,999.99", "SUMA", "5"},
             {"PLIKI", "Nazwa", "NAZWA", "", "", "1"},
             {"PLIKI", "Rozmiar", "ROZMIAR", "99999999", "", "2"}});
  makeSettings(testSettings("RAPORT"));
}

PrintStation::~PrintStation() { ws.closeAll(); }

void PrintStation::makeTable(const std::string& file, const std::vector<xbase::dbf::FieldSpec>& fields,
                             const std::vector<std::vector<std::string>>& rows) {
  auto t = xbase::DbfFile::create(env, script.clock(), path(file), fields);
  if (!t) throw std::runtime_error("create " + file + ": " + t.error().toString());
  for (const auto& row : rows) {
    auto rec = (*t)->blankRecord();
    for (std::size_t i = 0; i < row.size() && i < fields.size(); ++i) {
      rt::Value v;
      switch (fields[i].type) {
        case 'N': v = rt::Value::number(row[i].empty() ? 0 : std::stod(row[i]), fields[i].length, fields[i].decimals); break;
        case 'D': v = rt::Value::date(rt::Date::fromDtos(row[i])); break;
        default: v = rt::Value::character(rt::cp852FromUtf8(row[i]));
      }
      if (!(*t)->setValue(rec, i, v).isOk()) throw std::runtime_error("value " + row[i]);
    }
    if (!(*t)->appendRecord(rec)) throw std::runtime_error("append");
  }
  (*t)->close();
}

void PrintStation::makeSettings(const print::Settings& s) {
  std::filesystem::remove(station("PARADRUK.DBF"));
  std::filesystem::remove(station("PARADRUK.NTX"));
  makeTable("DANE#01/PARADRUK.DBF",
            {{"WARIANT", 'C', 10}, {"GESTOSC", 'N', 1}, {"RAMKI", 'N', 1}, {"WYSUW", 'N', 2}, {"MARG_GORNY", 'N', 2},
             {"MARG_LEWY", 'N', 3}, {"DL_STRONY", 'N', 3}, {"ORIENTACJA", 'C', 1}, {"PODKRE", 'C', 1},
             {"CIAGLY", 'C', 1}, {"RESET", 'C', 1}, {"KODY_DOD", 'C', 30}, {"TRYB", 'C', 5}, {"PORT", 'C', 30},
             {"KONWERSJA", 'C', 6}, {"KODY", 'C', 30}},
            {{"STANDARD", std::to_string(s.density), std::to_string(s.frames), std::to_string(s.feedAtEnd),
              std::to_string(s.topMargin), std::to_string(s.leftMargin), std::to_string(s.pageLength), s.orientation,
              s.underlines ? "T" : "N", s.continuous ? "T" : "N", s.reset ? "T" : "N", s.extraCodes, s.mode, s.port,
              (s.from + "   ").substr(0, 3) + s.to, s.codes}});
}

void PrintStation::makeList(int n) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 1; i <= n; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%05d", i);
    rows.push_back({number, "Zakład Łączności Źródło " + std::to_string(i), i % 2 ? "Łódź" : "Kraków",
                    std::to_string(i) + ".50"});
  }
  makeTable("KON.DBF", {{"NR_KON", 'C', 5}, {"NAZWA", 'C', 30}, {"MIASTO", 'C', 20}, {"KWOTA", 'N', 10, 2}}, rows);
  openList();
}

void PrintStation::openList() {
  ws.closeAll();
  ws.select(1);
  auto a = ws.use(path("KON.DBF"));
  if (!a) throw std::runtime_error("open KON");
  (*a)->goTop();
  rt.vars().declarePublic("SUMA");
  rt.vars().set("SUMA", rt::Value::number(0, 10, 2));
}

std::string PrintStation::read(const std::string& file) const {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool PrintStation::wasShown(int row, const std::string& text) const {
  for (const uitest::Shown& s : device.shown)
    if (s.row(row).find(text) != std::string::npos) return true;
  return false;
}

bool PrintStation::wasShownAnywhere(const std::string& text) const {
  for (int r = 0; r < 25; ++r)
    if (wasShown(r, text)) return true;
  return false;
}

}  // namespace printtest
