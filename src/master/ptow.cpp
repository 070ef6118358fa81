// src/master/ptow.cpp — the goods browse and the goods-group dictionary.
#include "master/ptow.hpp"

#include "db/workspace.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/seams.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/call.hpp"
#include "ui/menu/horizmenu.hpp"
#include "ui/operation.hpp"

namespace master {
namespace {

using rt::literals::operator""_pl;

enum class Choice { All = 1, Own = 2, New = 3 };

// Step 3: the representative's choice on row 1; nullopt after Esc. Head office sees all.
std::optional<Choice> choose(ui::Context& c, bool headOffice) {
  if (headOffice) return Choice::All;
  const int n = ui::HORIZMENU(c, 1, 0, "Towary :", {"WSZYSTKIE", "WŁASNE"_pl, "NOWOŚCI"_pl});
  if (n == 0) return std::nullopt;
  return static_cast<Choice>(n);
}

void restrict(db::WorkArea& goods, Choice choice) {
  if (choice == Choice::All) return;
  const std::size_t own = *goods.fieldIndex("STAN_PH"), mark = *goods.fieldIndex("USLUGA");
  if (choice == Choice::Own) {
    goods.setFilter(db::Expr::predicate([&goods, own] { return goods.value(own).num() != 0; }, "STAN_PH<>0"));
  } else {
    goods.setFilter(db::Expr::predicate(
        [&goods, mark] {
          const std::string m = goods.value(mark).text();
          return !m.empty() && (m[0] == '+' || m[0] == '!');
        },
        "LEFT(USLUGA,1)$\"+!\""));
  }
}

void legend(ui::Context& c) {
  c.con.write(23, 0, "Czerwone  - stany zerowe                         Niebieskie - magazyn własny PH"_pl);
  c.con.write(24, 0, "Fioletowe - ponownie na stanie (przez tydzień)   Żółte - nowości (przez miesiąc)"_pl);
}

ui::browse::Options goodsList(ui::Context& c, bool headOffice, Choice choice) {
  ui::browse::Options o;
  o.table = con::Rect{headOffice ? 1 : 2, 0, 21, con::kCols - 1};
  o.screenKey = "iTOW";
  o.tableLayout = choice == Choice::New ? "V6" : "V1";
  o.comment = c.rt.evaluate(
      "{|| ' '+LEFT(NAZWA_TOW,30)+' '+OPIS_TOW+'  '+TRANS_OP(IF(_OPAKOWANIA='T',OPAKOWANIE,0))+'  '+"
      "TRANSFORM(STAN,_FORMAT_ILO)+' '+JM}");
  o.commentLines = 1;
  const rt::Value fourth = ui::call(c, "ORD4");
  o.orders = {{"indeks", 1}, {"nazwa", 2}, {"grupa", 3}, {fourth.isText() ? fourth.text() : std::string(), 4}};
  o.colours = rt::Value::character("KOLORY()");
  o.restoreScreen = false;
  return o;
}

}  // namespace

void PTOW(ui::Context& c) {
  ui::RoutineScope scope(c, "PTOW");
  ui::Operation op(c, "█▓▓▒▒░░  PRZEGLĄDANIE SŁOWNIKA TOWARÓW ░░▒▒▓▓█"_pl);
  const bool headOffice = rt::val(c.text("_KONTO_PH")).value == 0;
  // The marks are only read here, so a shared read keeps other stations working.
  db::WorkArea* marks = openTable(c, "ZMIANY", "R", {}, catalogueIndexes("ZMIANY"));
  db::WorkArea* goods = openTable(c, "TOW", "S", {}, catalogueIndexes("TOW"));
  if (goods == nullptr) return;
  goods->setOrder(2);
  if (marks != nullptr) goods->addRelation(c.workspace->compile("INDEKS"), *marks);
  const std::optional<Choice> choice = choose(c, headOffice);
  if (!choice) return;
  restrict(*goods, *choice);
  goods->goTop();
  legend(c);
  c.setPublic("_ZAZNACZONE", rt::Value::newArray());
  if (auto engine = ui::browse::CLASSEDIT(c, *goods, goodsList(c, headOffice, *choice)))
    ui::browse::DOEDIT(c, *engine, 1);
  printMarked(c, *goods, "TOW", "VR", 3, "SŁOWNIK TOWARÓW"_pl);
}

void PGRU_TOW(ui::Context& c) {
  ui::RoutineScope scope(c, "PGRU_TOW");
  ui::Operation op(c, "SŁOWNIK GRUP TOWARÓW"_pl);
  db::WorkArea* groups = openTable(c, "SL_G_TOW", "S", {}, catalogueIndexes("SL_G_TOW"));
  if (groups == nullptr) return;
  ui::browse::Options o;
  o.table = con::Rect{1, -1, 23, -1};
  o.screenKey = "SL_G_TOW";
  o.tableLayout = "V1";
  o.orders = {{"grupa", 1}, {"nazwa", 2}};
  o.restoreScreen = false;
  o.commentLines = 1;
  c.setPublic("_ZAZNACZONE", rt::Value::newArray());
  if (auto engine = ui::browse::CLASSEDIT(c, *groups, std::move(o))) ui::browse::DOEDIT(c, *engine, 1);
  printMarked(c, *groups, "SL_G_TOW", "V1", 8, "SŁOWNIK GRUP TOWARÓW"_pl);
}

}  // namespace master
