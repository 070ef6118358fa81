// tests/ui/browse_fixture.hpp — a station for browser tests: the screen station with work
// areas, the program's screen routines registered, an EDIT table of column descriptions
// and a small goods table in the temporary folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "screen_fixture.hpp"
#include "ui/browse/classedit.hpp"
#include "xbase/dbf_field.hpp"

namespace uitest {

// One EDIT row: BAZA, NAG1, POLE, FORMAT, WARUNEK, WEJSCIE, POWROT, V1, and the rest.
struct EditRow {
  EditRow(std::string b, std::string n1, std::string p, std::string f = {}, std::string w = {}, std::string we = {},
          std::string pw = {}, int layout = 0, std::string st = {}, int k = 0)
      : baza(std::move(b)), nag1(std::move(n1)), pole(std::move(p)), format(std::move(f)), warunek(std::move(w)),
        wejscie(std::move(we)), powrot(std::move(pw)), v1(layout), stopka(std::move(st)), kolejnosc(k) {}
  std::string baza, nag1, pole, format, warunek, wejscie, powrot;
  int v1 = 0;
  std::string stopka;
  int kolejnosc = 0;
  std::string komentarz, nag2, slownik;
};

struct BrowseStation : Station {
  BrowseStation();
  ~BrowseStation();

  std::string path(const std::string& name) const { return (dir / name).string(); }
  void makeTable(const std::string& name, const std::vector<xbase::dbf::FieldSpec>& fields,
                 const std::vector<std::vector<std::string>>& rows);
  void makeEdit(const std::vector<EditRow>& rows);
  // The goods table TOW: INDEKS, NAZWA, ILOSC (N 8.2), CENA_ZAK, MARZA; indexes TOWI on
  // INDEKS and TOWN on NAZWA (not controlling).
  db::WorkArea& openGoods(xbase::Share share = xbase::Share::Exclusive);
  // The goods screen "TOW": V1 = Indeks, Nazwa, Ilość, Cena zak., Marża (kept by MAR_CENS).
  void makeGoodsScreen();
  std::shared_ptr<ui::browse::Engine> browse(ui::browse::Options o);
  // The values of `field` on the visible records in the current order.
  std::vector<std::string> column(db::WorkArea& a, const std::string& field);

  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
};

std::string trimmed(const rt::Value& v);

}  // namespace uitest
