// src/master/prices.cpp — list prices, the fixed price from the price table and the
// price/margin conversions of an order line (rules in the header).
#include "master/prices.hpp"

#include <cmath>

#include "db/workspace.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/seams.hpp"
#include "rt/number_text.hpp"
#include "store/zaokr.hpp"
#include "ui/call.hpp"

namespace master {
namespace {

constexpr std::size_t kPricingVariant = 16;
constexpr std::size_t kDivisorDiscount = 36;
constexpr std::string_view kAllContractors = "00000";
constexpr std::string_view kPriceTableOrder = "UPUSTY_T";
constexpr double kMarginLimit = 999;

// The list chosen by _CENNIK: 1..3, 0 for anything else.
int chosenList(const ui::Context& c) {
  const std::string list = trimBoth(c.text("_CENNIK"));
  return list.size() == 1 && list[0] >= '1' && list[0] <= '3' ? list[0] - '0' : 0;
}

struct ListPrice {
  double price = 0;
  char kind = ' ';  // 'B' gross, 'N' net, as _CENY_n says
  double vat = 0;
};

ListPrice listPrice(ui::Context& c, int list) {
  static constexpr std::string_view kPrices[] = {"CENA_1", "CENA_2", "CENA_3"};
  static constexpr std::string_view kKinds[] = {"_CENY_1", "_CENY_2", "_CENY_3"};
  db::WorkArea& tow = areaNamed(c, "TOW");
  const std::size_t i = static_cast<std::size_t>(list - 1);
  const std::string kind = c.text(kKinds[i]);
  return {fieldNumber(c, tow, kPrices[i]), kind.empty() ? ' ' : kind[0], vatPercent(fieldText(c, tow, "VAT"))};
}

double rounded(double v) { return store::ZAOKR(v, 2).value; }

char pricingVariant(const ui::Context& c) { return variantAt(c, kPricingVariant); }
bool marginVariant(char v) { return v == 'T' || v == 'U'; }

// The price after the order's discount: as a divisor with "2" at character 36, else as a
// percentage.
double afterDiscount(const ui::Context& c, double price) {
  const double discount = c.number("_RABAT");
  if (variantAt(c, kDivisorDiscount) == '2') return 100 + discount == 0 ? 0 : price * 100 / (100 + discount);
  return price * (100 - discount) / 100;
}

// P3
bool validToday(ui::Context& c, db::WorkArea& t) {
  const rt::Date today = c.rt.now().date;
  const rt::Value from = fieldValue(c, t, "DATA_OD");
  const rt::Value to = fieldValue(c, t, "DATA_DO");
  if (from.isDate() && !from.date().empty() && today < from.date()) return false;
  if (to.isDate() && !to.date().empty() && today > to.date()) return false;
  return true;
}

// The first valid row under `key` with a fixed price above 0; 0 when none.
double fixedPrice(ui::Context& c, db::WorkArea& t, const std::string& key) {
  if (!t.seek(rt::Value::character(key), db::SeekMode::Exact)) return 0;
  const std::size_t price = fieldAt(c, t, "CENA");
  for (; !t.eof(); t.skip(1)) {
    const rt::Value v = t.value(price);
    const double p = v.isNumber() ? v.num() : 0;
    if (p > 0 && validToday(c, t)) return p;
    // Further rows of the same key (other suppliers, other dates) may still hold a price.
    if (std::string_view(fieldText(c, t, "NR_KON") + fieldText(c, t, "GRUPA_TOW") + fieldText(c, t, "INDEKS"))
            .substr(0, key.size()) != key)
      return 0;
  }
  return 0;
}

}  // namespace

double vatPercent(std::string_view vat) { return rt::val(vat).value; }

char variantAt(const ui::Context& c, std::size_t position) {
  const std::string wersja = c.text("_WERSJA");
  return position >= 1 && position <= wersja.size() ? wersja[position - 1] : ' ';
}

double CENA_NET(ui::Context& c) {
  const int list = chosenList(c);
  if (list == 0) return 0;
  const ListPrice p = listPrice(c, list);
  return p.kind == 'B' ? rounded(p.price / (1 + p.vat / 100)) : p.price;
}

double CENA_BRU(ui::Context& c) {
  const int list = chosenList(c);
  if (list == 0) return 0;
  const ListPrice p = listPrice(c, list);
  return p.kind == 'N' ? rounded(p.price * (1 + p.vat / 100)) : p.price;
}

double CENA_TAB(ui::Context& c, double known) {
  const char variant = pricingVariant(c);
  if (variant != 'R' && variant != 'U') return 0;
  if (known > 0) return known;
  db::WorkArea& line = currentArea(c);
  const std::string contractor = fieldText(c, line, "NR_KON");
  const std::string goods = fieldText(c, line, "INDEKS");
  db::WorkArea& table = areaNamed(c, "UPUSTY");
  const std::size_t groupWidth = table.field(fieldAt(c, table, "GRUPA_TOW")).length;  // P4
  const std::string rest = std::string(groupWidth, ' ') + goods;
  KeepPosition keep(table);
  if (const int order = orderNamed(table, kPriceTableOrder); order != 0) table.setOrder(order);
  if (const double own = fixedPrice(c, table, contractor + rest); own > 0) return own;
  return fixedPrice(c, table, std::string(kAllContractors) + rest);
}

bool CENS_MAR(ui::Context& c, bool redraw) {
  db::WorkArea& line = currentArea(c);
  const double price = afterDiscount(c, fieldNumber(c, line, "CENA"));
  if (!marginVariant(pricingVariant(c))) return true;
  const double purchase = fieldNumber(c, line, "CENA_ZAK");
  double margin = 0;
  if (trimBoth(c.text("_TYP_MAR")) == "2")
    margin = price > 0 ? (price - purchase) / price * 100 : 0;
  else
    margin = purchase > 0 ? (price - purchase) / purchase * 100 : 0;
  storeNumber(c, line, "MARZA", std::fabs(margin) < kMarginLimit ? margin : 0);
  if (redraw) redrawRunningList(c);
  return true;
}

bool MAR_CENS(ui::Context& c) {
  const char variant = pricingVariant(c);
  if (variant == 'R') {
    ui::call(c, "BONA");
    return true;
  }
  if (!marginVariant(variant)) return true;
  db::WorkArea& line = currentArea(c);
  const double purchase = fieldNumber(c, line, "CENA_ZAK");
  const double margin = fieldNumber(c, line, "MARZA");
  double price = 0;
  if (trimBoth(c.text("_TYP_MAR")) == "2")
    price = margin == 100 ? 0 : purchase / (1 - margin / 100);
  else
    price = margin * purchase / 100 + purchase;
  double list = price, sale = price;
  const double discount = c.number("_RABAT");
  if (discount != 0 && discount != 100) {
    list = price * 100 / (100 - discount);
    sale = list * (100 - discount) / 100;
  }
  storeNumber(c, line, "CENA", list);
  storeNumber(c, line, "CENA_SPR", sale);
  redrawRunningList(c);
  return true;
}

}  // namespace master
