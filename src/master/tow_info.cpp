// src/master/tow_info.cpp — the goods information window.
#include "master/tow_info.hpp"

#include "db/workspace.hpp"
#include "master/goods_routines.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/info_window.hpp"
#include "master/internal/lookup_field.hpp"
#include "master/internal/seams.hpp"
#include "master/prices.hpp"
#include "rt/codepage.hpp"
#include "rt/transform.hpp"
#include "ui/qke.hpp"

namespace master {
namespace {

using rt::literals::operator""_pl;

constexpr int kTop = 1, kBottom = 9;
constexpr con::Rect kWindow{kTop, 1, kBottom, 78};
constexpr std::size_t kBarCodes = 32;
constexpr int kBarCodeOrder = 4;

int row(int offset) { return kTop + offset; }

bool blank(const rt::Value& v) { return !v.isText() || trimBoth(v.text()).empty(); }

struct Typed {
  rt::Value index;
  rt::Value barCode = rt::Value::number(0, 13, 0);
};

// Reads the index, and with bar codes in use a bar code while the index is blank. False
// after Esc.
bool readGoods(ui::Context& c, Typed& t, bool barCodes) {
  c.con.write(row(1), 3, "Indeks :");
  const ui::lookup::SlArgs lookup = goodsLookup(c, "TOWARY");
  ui::Get index = ui::getOn(row(1), 12, t.index, c.text("_FORMAT_IND"));
  if (!barCodes) return readWithLookup(c, index, lookup, blank).saved();
  c.con.write(row(2), 3, "Kod :   ");
  std::vector<ui::Get> gets{index, ui::getOn(row(2), 12, t.barCode, "@ZK 9999999999999")};
  gets[0].when = [lookup](ui::Context& cx) { return ui::lookup::SLGET(cx, lookup); };
  gets[0].valid = [lookup, &t](ui::Context& cx) { return blank(t.index) || ui::lookup::SL(cx, lookup); };
  gets[1].when = [&t](ui::Context& cx) {
    ui::lookup::SLGET(cx);
    return blank(t.index);
  };
  const ui::ReadResult r = ui::readForm(c, gets);
  ui::lookup::SLGET(c);
  return r.saved();
}

// Puts the goods table on the goods asked for; false (after the message for an unknown bar
// code) when there is none.
bool findGoods(ui::Context& c, db::WorkArea& goods, const Typed& t) {
  const double code = t.barCode.isNumber() ? t.barCode.num() : 0;
  if (blank(t.index) && code == 0) return false;
  if (blank(t.index)) {
    goods.setOrder(kBarCodeOrder);
    if (!goods.seek(rt::Value::number(code, 13, 0), db::SeekMode::Exact)) {
      ui::QKE(c, "Nieznany kod paskowy !"_pl);
      return false;
    }
    goods.setOrder(1);
    c.con.writeAttr(row(1), 12, keyForm(c, fieldText(c, goods, "INDEKS")), highlight(c));
    return true;
  }
  goods.setOrder(1);
  return goods.seek(t.index, db::SeekMode::Exact);
}

void show(ui::Context& c, db::WorkArea& goods, bool barCodes) {
  const con::Attr hi = highlight(c);
  const auto text = [&](std::string_view f) { return fieldText(c, goods, f); };
  const auto shown = [&](const rt::Value& v, std::string_view picture) {
    return rt::transform(v, picture, c.rt.settings()).value_or("");
  };
  c.con.clear({row(2), 2, row(2), 77});
  c.con.writeAttr(row(2), 3, trimBoth(text("NAZWA_TOW")) + "  " + trimBoth(text("OPIS_TOW")), hi);
  const std::string vat = trimBoth(text("VAT"));
  const std::string rate = "Stawka VAT : " + vat + (vat == "zw" ? "" : "%");
  c.con.write(row(3), 3, rate);
  c.con.write(row(3), 3 + static_cast<int>(rate.size()) + 3, "Jednostka : " + trimBoth(text("JM")));
  c.con.write(row(2), 50, "Stan :   ");
  c.con.write(row(3), 50, "Stan PH :");
  c.con.writeAttr(row(2), 60, shown(fieldValue(c, goods, "STAN"), c.text("_FORMAT_ILO")), hi);
  c.con.writeAttr(row(3), 60, shown(fieldValue(c, goods, "STAN_PH"), c.text("_FORMAT_ILO")), hi);
  if (barCodes) {
    c.con.write(row(4), 3, "Kod paskowy : ");
    c.con.writeAttr(row(4), 17, shown(fieldValue(c, goods, "KOD_PAS"), "@Z 9999999999999"), hi);
  }
  c.con.write(row(5), 3, "Ceny :       1 (" + c.text("_CENY_1") + ")       2 (" + c.text("_CENY_2") + ")       3 (" +
                             c.text("_CENY_3") + ")");
  const int columns[] = {11, 23, 35};
  const char* prices[] = {"CENA_1", "CENA_2", "CENA_3"};
  for (int i = 0; i < 3; ++i)
    c.con.writeAttr(row(6), columns[i], shown(fieldValue(c, goods, prices[i]), "@ZE 999,999.99"), hi);
}

}  // namespace

void TOW_INFO(ui::Context& c) {
  ui::RoutineScope routine(c, "TOW_INFO");
  const std::optional<rt::Value> current = currentFieldValue(c, "INDEKS");
  InfoWindow window(c, kWindow);
  Typed typed;
  typed.index = rt::Value::character(
      current && current->isText() ? keyForm(c, current->text()) : keyForm(c, std::string(20, ' ')));
  db::WorkArea* goods = openTable(c, "TOW", "R", "TOWARY", catalogueIndexes("TOW"));
  if (goods == nullptr) return;
  c.con.box(kWindow, "▄▄▄█▀▀▀█ "_pl);
  const bool barCodes = variantAt(c, kBarCodes) == 'K';
  if (!readGoods(c, typed, barCodes) || !findGoods(c, *goods, typed)) return;
  show(c, *goods, barCodes);
  c.con.waitKey(con::KeyWait::forever(), con::HotKeyCall{"TOW_INFO", 0, {}});
}

}  // namespace master
