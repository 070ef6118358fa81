// src/master/goods_routines.cpp — stock, pack, bar codes, the price-choice table and the
// package copy of a goods record.
#include "master/goods_routines.hpp"

#include <array>

#include "db/workspace.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/seams.hpp"
#include "rt/number_text.hpp"
#include "rt/runtime.hpp"
#include "rt/transform.hpp"
#include "store/schema.hpp"
#include "store/use.hpp"
#include "ui/call.hpp"

namespace master {
namespace {

constexpr int kIndexOrder = 1;
constexpr int kBarCodeOrder = 4;
constexpr std::size_t kShortestBarCode = 7;
constexpr std::string_view kPriceChoice = "TO_R";

constexpr store::FieldDef kPriceChoiceFields[] = {{"CENNIK", 'C', 1}, {"CENA", 'N', 9, 2}};
constexpr store::TableDef kPriceChoiceTable{"TO_R", kPriceChoiceFields, "the three list prices of one goods"};

// The fields a package's goods record takes from the goods master; stock stays behind.
constexpr std::array kPackageFields = {"INDEKS", "NAZWA_TOW", "OPIS_TOW", "KOD_PAS",  "GRUPA_TOW", "OPAKOWANIE",
                                       "JM",     "VAT",       "CENA_1",   "CENA_2",   "CENA_3",    "CENA_ZAK",
                                       "NR_KON", "SWW",       "OPAK_ZWR", "USLUGA"};

// Seeks the goods of the current record's INDEKS; true when found. REQUIRES: the caller
// keeps the goods table's position.
bool seekGoodsOfCurrent(ui::Context& c, db::WorkArea& goods) {
  const std::string index = fieldText(c, currentArea(c), "INDEKS");
  goods.setOrder(kIndexOrder);
  return goods.seek(rt::Value::character(keyForm(c, index)), db::SeekMode::Exact);
}

std::string quantity(ui::Context& c, const rt::Value& v) {
  const std::optional<std::string> t = rt::transform(v, c.text("_FORMAT_ILO"), c.rt.settings());
  return t ? *t : std::string();
}

}  // namespace

std::string keyForm(ui::Context& c, const std::string& index) {
  const rt::Value v = ui::call(c, "S_I", {rt::Value::character(index)});
  return v.isText() ? v.text() : index;
}

std::string TRANS_OP(double pack) { return pack == 0 ? std::string(7, ' ') : rt::str(pack, 7, 1); }

std::string STAN_OG(ui::Context& c) {
  db::WorkArea& goods = areaNamed(c, "TOW");
  rt::Value stock = rt::Value::number(0), own = rt::Value::number(0);
  {
    KeepPosition keep(goods);
    if (seekGoodsOfCurrent(c, goods)) {
      stock = fieldValue(c, goods, "STAN");
      own = fieldValue(c, goods, "STAN_PH");
    }
  }
  return quantity(c, stock) + "/" + quantity(c, own);
}

double OPAK(ui::Context& c) {
  db::WorkArea& goods = areaNamed(c, "TOW");
  KeepPosition keep(goods);
  return seekGoodsOfCurrent(c, goods) ? fieldNumber(c, goods, "OPAKOWANIE") : 0;
}

bool PTOI(ui::Context& c) {
  db::WorkArea& line = currentArea(c);
  const std::string typed = trimBoth(fieldText(c, line, "INDEKS"));
  if (typed.size() < kShortestBarCode) return true;
  db::WorkArea& goods = areaNamed(c, "TOW");
  std::string index;
  {
    KeepPosition keep(goods);
    goods.setOrder(kBarCodeOrder);
    if (goods.seek(rt::Value::number(rt::val(typed).value, 13, 0), db::SeekMode::Exact) &&
        fieldNumber(c, goods, "KOD_PAS") != 0)
      index = fieldText(c, goods, "INDEKS");
  }
  if (!index.empty()) storeField(c, line, "INDEKS", rt::Value::character(index));
  redrawRunningList(c);
  return true;
}

void WE_SL_TO_R(ui::Context& c) {
  db::Workspace& ws = *c.workspace;
  const int previous = ws.selected();
  db::WorkArea& goods = areaNamed(c, "TOW");
  std::array<std::pair<std::string, rt::Value>, 3> prices;
  {
    KeepPosition keep(goods);
    const bool found = seekGoodsOfCurrent(c, goods);
    static constexpr std::string_view kKinds[] = {"_CENY_1", "_CENY_2", "_CENY_3"};
    static constexpr std::string_view kPrices[] = {"CENA_1", "CENA_2", "CENA_3"};
    for (std::size_t i = 0; i < prices.size(); ++i)
      prices[i] = {c.text(kKinds[i]), found ? fieldValue(c, goods, kPrices[i]) : rt::Value::number(0)};
  }
  if (const int open = ws.areaOf(kPriceChoice); open != 0) ws.close(open);
  const std::string name = c.tables->stationFolder() + std::string(kPriceChoice);
  if (const base::Status s = store::createTable(*c.tables, kPriceChoiceTable, name); !s)
    throw base::IoFault(c.tables->tablePath(name), "cannot create the price choice: " + s.toString());
  ws.select(0);
  if (store::USE_(*c.tables, name, "E!", kPriceChoice, store::callerAt())) {
    db::WorkArea& t = *ws.current();
    for (const auto& [kind, price] : prices) {
      if (!t.appendBlank()) throw base::IoFault(t.table().path(), "cannot append to the price choice");
      storeField(c, t, "CENNIK", rt::Value::character(kind));
      storeField(c, t, "CENA", price);
    }
    t.goTop();
  }
  ws.select(previous);
}

double WY_SL_TO_R(ui::Context& c) {
  db::Workspace& ws = *c.workspace;
  if (const int open = ws.areaOf(kPriceChoice); open != 0) ws.close(open);
  const std::string path = c.tables->tablePath(c.tables->stationFolder() + std::string(kPriceChoice));
  if (ws.env().exists(path)) (void)ws.env().remove(path);
  return 0;
}

void DAJ_TOW_H(ui::Context& c) {
  db::WorkArea& goods = areaNamed(c, "TOW");
  db::WorkArea& package = areaNamed(c, "TOW_H");
  for (const char* f : kPackageFields)
    if (hasField(package, f)) storeField(c, package, f, fieldValue(c, goods, f));
}

}  // namespace master
