// tests/ui/browse_fixture.cpp — the browser test station.
#include "browse_fixture.hpp"

#include <stdexcept>

#include "db/bulk_index.hpp"
#include "db/db_functions.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "ui/register.hpp"

namespace uitest {

using rt::literals::operator""_pl;

BrowseStation::BrowseStation() {
  ctx.workspace = &ws;
  ctx.tables = &tables;
  db::registerDatabaseFunctions(rt.functions(), ws);
  ui::registerScreen(rt.functions(), ctx);
  rt.vars().declarePublic("_UDOCEZAK");
  rt.vars().set("_UDOCEZAK", rt::Value::logical(true));
  rt.functions().add("MAR_CENS", [](rt::Runtime&, rt::Args&) { return rt::Value::logical(true); });
}

BrowseStation::~BrowseStation() { ws.closeAll(); }

void BrowseStation::makeTable(const std::string& name, const std::vector<xbase::dbf::FieldSpec>& fields,
                              const std::vector<std::vector<std::string>>& rows) {
  auto t = xbase::DbfFile::create(env, script.clock(), path(name), fields);
  if (!t) throw std::runtime_error("create " + name + ": " + t.error().toString());
  for (const auto& row : rows) {
    auto rec = (*t)->blankRecord();
    for (std::size_t i = 0; i < row.size() && i < fields.size(); ++i) {
      rt::Value v;
      switch (fields[i].type) {
        case 'N': v = rt::Value::number(row[i].empty() ? 0 : std::stod(row[i]), fields[i].length, fields[i].decimals); break;
        case 'L': v = rt::Value::logical(row[i] == "T"); break;
        default: v = rt::Value::character(rt::cp852FromUtf8(row[i]));
      }
      if (!(*t)->setValue(rec, i, v).isOk()) throw std::runtime_error("value " + row[i]);
    }
    if (!(*t)->appendRecord(rec)) throw std::runtime_error("append");
  }
  (*t)->close();
}

void BrowseStation::makeEdit(const std::vector<EditRow>& rows) {
  std::vector<std::vector<std::string>> data;
  for (const EditRow& r : rows)
    data.push_back({r.baza, r.nag1, r.nag2, r.pole, r.format, r.stopka, std::to_string(r.kolejnosc), r.warunek, r.slownik,
                    r.wejscie, r.powrot, r.komentarz, std::to_string(r.v1)});
  makeTable("EDIT.DBF",
            {{"BAZA", 'C', 10}, {"NAG1", 'C', 40}, {"NAG2", 'C', 30}, {"POLE", 'C', 60}, {"FORMAT", 'C', 30},
             {"STOPKA", 'C', 40}, {"KOLEJNOSC", 'N', 3}, {"WARUNEK", 'C', 60}, {"SLOWNIK", 'C', 40},
             {"WEJSCIE", 'C', 40}, {"POWROT", 'C', 20}, {"KOMENTARZ", 'C', 60}, {"V1", 'N', 3}},
            data);
}

void BrowseStation::makeGoodsScreen() {
  makeEdit({
      {"KON", "Numer", "NR_KON", "", "", ".T.", "", 1},
      {"TOW", "Indeks", "INDEKS", "", "", ".T.", "", 1},
      {"TOW", "Nazwa;towaru", "NAZWA", "", "!empty(NAZWA)", ".T.", "", 2},
      {"TOW", "Ilość", "ILOSC", "@E 99999.99", "ILOSC >= 0", ".T.", "", 3},
      {"TOW", "Cena zak.", "CENA_ZAK", "@E 9999.99", "", "", "", 4},
      {"TOW", "Marża", "MARZA", "999.99", "MAR_CENS()", "", "", 5},
      {"TOW", "Marża%", "MARZA*100", "99999", "", "", "", 0},
  });
}

db::WorkArea& BrowseStation::openGoods(xbase::Share share) {
  makeTable("TOW.DBF",
            {{"INDEKS", 'C', 6}, {"NAZWA", 'C', 12}, {"ILOSC", 'N', 8, 2}, {"CENA_ZAK", 'N', 8, 2}, {"MARZA", 'N', 6, 2}},
            {{"A1", "Śruba", "10.5", "1.20", "5"},
             {"B2", "Nakrętka", "4", "0.30", "7"},
             {"C3", "Podkładka", "100", "0.05", "9"},
             {"D4", "Gwóźdź", "2.25", "0.02", "11"},
             {"E5", "Wkręt", "0", "0.10", "13"}});
  ws.select(0);
  auto a = ws.use(path("TOW.DBF"), {"TOW", share, false});
  if (!a) throw std::runtime_error(a.error().toString());
  db::WorkArea& area = **a;
  if (!db::indexOn(area, path("TOWI.NTX"), {"INDEKS"}).isOk()) throw std::runtime_error("index");
  if (!db::indexOn(area, path("TOWN.NTX"), {"upper(NAZWA)"}).isOk()) throw std::runtime_error("index");
  area.clearOrders();
  (void)area.addOrder(path("TOWI.NTX"));
  (void)area.addOrder(path("TOWN.NTX"));
  area.setOrder(1);
  area.goTop();
  return area;
}

std::shared_ptr<ui::browse::Engine> BrowseStation::browse(ui::browse::Options o) {
  db::WorkArea* a = ws.current();
  if (a == nullptr) throw std::runtime_error("no table");
  return ui::browse::CLASSEDIT(ctx, *a, std::move(o));
}

std::string trimmed(const rt::Value& v) {
  std::string s = v.isText() ? rt::utf8FromCp852(v.text()) : v.isNumber() ? rt::str(v.numberParts()) : "";
  const std::size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

std::vector<std::string> BrowseStation::column(db::WorkArea& a, const std::string& field) {
  std::vector<std::string> out;
  const std::uint32_t keep = a.recno();
  for (a.goTop(); !a.eof(); a.skip()) out.push_back(trimmed(a.value(*a.fieldIndex(field))));
  a.goTo(keep);
  return out;
}

}  // namespace uitest
