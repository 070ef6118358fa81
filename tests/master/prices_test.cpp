// The prices of goods and order lines: list prices net and gross, the fixed price of the
// price table, and margins from prices and back, under the variants that switch them.
#include <gtest/gtest.h>

#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "master/master_fixture.hpp"
#include "master/prices.hpp"
#include "rt/error.hpp"
#include "store/schema.hpp"

namespace {

using mastertest::MasterStation;

rt::Value text(std::string s) { return rt::Value::character(std::move(s)); }
rt::Value num(double v) { return rt::Value::number(v, 10, 2); }

// A variant string with `ch` at position `pos` (1-based).
std::string variant(std::size_t pos, char ch) {
  std::string w(200, ' ');
  w[pos - 1] = ch;
  return w;
}

struct Prices : MasterStation {
  Prices() {
    tow = &open("TOW", "TOW", mastertest::indexesOf("TOW"));
    EXPECT_TRUE(tow->lockRecord());
  }
  void goods(double price, int list, const char* vat) {
    ASSERT_TRUE(tow->replace("CENA_" + std::to_string(list), num(price)));
    ASSERT_TRUE(tow->replace("VAT", text(vat)));
  }
  // An order line of the order register, current and locked.
  db::WorkArea& line(const std::string& contractor, const std::string& goods) {
    db::WorkArea& l = open("EWIZAM", "EWIZAM");
    EXPECT_TRUE(l.appendBlank());
    EXPECT_TRUE(l.replace("NR_KON", text(contractor)));
    EXPECT_TRUE(l.replace("INDEKS", text(goods)));
    return l;
  }
  // A fresh price table with its two orders, open under UPUSTY.
  db::WorkArea& priceTable() {
    EXPECT_TRUE(store::createEmpty(tables, "UPUSTY"));
    db::WorkArea& t = open("UPUSTY", "UPUSTY");
    EXPECT_TRUE(db::indexAll(t, {{path("UPUSTY_K.NTX"), db::IndexSpec("NR_KON")},
                                 {path("UPUSTY_T.NTX"), db::IndexSpec("NR_KON+GRUPA_TOW+INDEKS+DOSTAWCA")}}));
    t.setOrder(1);  // the contractor order: the look-up must take the key order itself
    return t;
  }
  void row(db::WorkArea& t, const std::string& contractor, const std::string& goods, double price,
           const std::string& from = "", const std::string& to = "") {
    ASSERT_TRUE(t.appendBlank());
    ASSERT_TRUE(t.replace("NR_KON", text(contractor)));
    ASSERT_TRUE(t.replace("INDEKS", text(goods)));
    ASSERT_TRUE(t.replace("CENA", num(price)));
    if (!from.empty()) {
      ASSERT_TRUE(t.replace("DATA_OD", rt::Value::date(rt::Date::fromDtos(from))));
    }
    if (!to.empty()) {
      ASSERT_TRUE(t.replace("DATA_DO", rt::Value::date(rt::Date::fromDtos(to))));
    }
    t.commit();
  }
  db::WorkArea* tow = nullptr;
};

TEST(CENA_NET, ListPricesBecomeNetOrGrossByTheKindOfTheList) {
  struct Case {
    const char* list;
    const char* kind;
    double price;
    const char* vat;
    double net, gross;
  };
  const Case cases[] = {
      {"1", "B", 12.30, "23", 10.00, 12.30},  // gross list: the net price is worked out
      {"1", "B", 12.30, "zw", 12.30, 12.30},  // exempt goods: net and gross alike
      {"2", "N", 10.00, "23", 10.00, 12.30},  // net list: the gross price is worked out
      {"3", "N", 9.99, " 8", 9.99, 10.79},
      {"2", "N", 0.50, "23", 0.50, 0.62},     // 0.615 rounds up, though binary holds 0.61499..
      {"1", "B", 0.05, "23", 0.04, 0.05},
      {"4", "N", 10.00, "23", 0, 0},          // no such list
      {" ", "N", 10.00, "23", 0, 0},
  };
  Prices s;
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.list) + k.kind + " " + k.vat + " " + std::to_string(k.price));
    s.rt.vars().set("_CENNIK", text(k.list));
    const int list = k.list[0] >= '1' && k.list[0] <= '3' ? k.list[0] - '0' : 1;
    s.rt.vars().set("_CENY_" + std::to_string(list), text(k.kind));
    s.goods(k.price, list, k.vat);
    EXPECT_NEAR(s.call("CENA_NET").num(), k.net, 1e-9);
    EXPECT_NEAR(s.call("CENA_BRU").num(), k.gross, 1e-9);
  }
}

TEST(CENA_NET, WithoutTheGoodsTableTheRuntimeNamesTheMissingAlias) {
  MasterStation s;
  s.rt.vars().set("_CENNIK", text("1"));
  try {
    s.call("CENA_NET");
    FAIL() << "no error";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.error().genCode, rt::GenCode::NoAlias);
    EXPECT_EQ(e.error().operation, "TOW");
  }
}

TEST(CENA_TAB, TheContractorsRowWinsThenTheRowForAllContractors) {
  struct Case {
    const char* what;
    char variant;
    double known;
    std::vector<std::tuple<std::string, double, std::string, std::string>> rows;  // contractor, price, from, to
    double expected;
  };
  const Case cases[] = {
      {"own row", 'R', 0, {{"00012", 7.50, "", ""}, {"00000", 8.00, "", ""}}, 7.50},
      {"all contractors' row when none of his own", 'R', 0, {{"00000", 8.00, "", ""}}, 8.00},
      {"own row without a price", 'U', 0, {{"00012", 0, "", ""}, {"00000", 8.00, "", ""}}, 8.00},
      {"own row expired yesterday", 'R', 0, {{"00012", 7.50, "", "20261209"}, {"00000", 8.00, "", ""}}, 8.00},
      {"own row from tomorrow", 'R', 0, {{"00012", 7.50, "20261211", ""}}, 0},
      {"own row valid today", 'R', 0, {{"00012", 7.50, "20261210", "20261210"}}, 7.50},
      {"a known price", 'R', 5.25, {{"00012", 7.50, "", ""}}, 5.25},
      {"no row", 'U', 0, {{"00013", 7.50, "", ""}}, 0},
      {"not a table variant", 'T', 0, {{"00012", 7.50, "", ""}}, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Prices s;
    db::WorkArea& t = s.priceTable();
    for (const auto& [contractor, price, from, to] : k.rows) s.row(t, contractor, "00345", price, from, to);
    t.goTop();
    const std::uint32_t before = t.recno();
    s.line("00012", "00345");
    s.rt.vars().set("_WERSJA", text(variant(16, k.variant)));
    EXPECT_NEAR(s.call("CENA_TAB", {num(k.known), rt::Value::logical(true)}).num(), k.expected, 1e-9);
    EXPECT_EQ(t.orderNumber(), 1);
    EXPECT_EQ(t.recno(), before);
  }
}

struct LineCase {
  const char* what;
  std::string wersja;
  const char* margin;  // _TYP_MAR
  double discount;     // _RABAT
  double price, purchase, marza;
  double expectPrice, expectSale, expectMarza;
};

// An order line with the case's price, purchase price and margin, under its variants.
db::WorkArea& lineOfCase(Prices& s, const LineCase& k) {
  db::WorkArea& l = s.line("00012", "00345");
  EXPECT_TRUE(l.replace("CENA", num(k.price)));
  EXPECT_TRUE(l.replace("CENA_ZAK", num(k.purchase)));
  EXPECT_TRUE(l.replace("MARZA", num(k.marza)));
  s.rt.vars().set("_WERSJA", text(k.wersja));
  s.rt.vars().set("_TYP_MAR", text(k.margin));
  s.rt.vars().set("_RABAT", rt::Value::number(k.discount));
  return l;
}

TEST(CENS_MAR, TheMarginComesFromThePriceAfterTheOrdersDiscount) {
  const LineCase cases[] = {
      {"on the selling price", variant(16, 'T'), "2", 0, 10, 8, 0, 10, 0, 20},
      {"on the purchase price", variant(16, 'T'), " ", 0, 10, 8, 0, 10, 0, 25},
      {"after a percentage discount", variant(16, 'U'), " ", 10, 10, 8, 0, 10, 0, 12.5},
      {"after a divisor discount", [] { auto w = variant(16, 'T'); w[35] = '2'; return w; }(), " ", 10, 10, 8, 0, 10, 0, 13.64},
      {"1000 % is stored as 0", variant(16, 'T'), " ", 0, 11, 1, 5, 11, 0, 0},
      {"998 % is kept", variant(16, 'T'), " ", 0, 10.98, 1, 5, 10.98, 0, 998},
      {"no selling price", variant(16, 'T'), "2", 0, 0, 8, 5, 0, 0, 0},
      {"no purchase price", variant(16, 'T'), " ", 0, 10, 0, 5, 10, 0, 0},
      {"price-table variant: untouched", variant(16, 'R'), " ", 0, 10, 8, 5, 10, 0, 5},
      {"no margin variant: untouched", std::string(), " ", 0, 10, 8, 5, 10, 0, 5},
  };
  for (const LineCase& k : cases) {
    SCOPED_TRACE(k.what);
    Prices s;
    db::WorkArea& l = lineOfCase(s, k);
    EXPECT_TRUE(s.call("CENS_MAR", {rt::Value::logical(false)}).logical());
    EXPECT_NEAR(l.value(*l.fieldIndex("MARZA")).num(), k.expectMarza, 1e-9);
  }
}

TEST(MAR_CENS, ThePriceComesFromTheMarginAndTheOrdersDiscount) {
  const LineCase cases[] = {
      {"on the selling price", variant(16, 'T'), "2", 0, 0, 8, 20, 10, 10, 20},
      {"margin 100 % on the selling price", variant(16, 'T'), "2", 0, 3, 8, 100, 0, 0, 100},
      {"on the purchase price", variant(16, 'U'), " ", 0, 0, 8, 25, 10, 10, 25},
      {"with the order's discount", variant(16, 'T'), " ", 20, 0, 8, 25, 12.5, 10, 25},
      {"a discount of 100 % is not worked back", variant(16, 'T'), " ", 100, 0, 8, 25, 10, 10, 25},
      {"no margin variant: untouched", std::string(), " ", 0, 3, 8, 25, 3, 0, 25},
  };
  for (const LineCase& k : cases) {
    SCOPED_TRACE(k.what);
    Prices s;
    db::WorkArea& l = lineOfCase(s, k);
    EXPECT_TRUE(s.call("MAR_CENS").logical());
    EXPECT_NEAR(l.value(*l.fieldIndex("CENA")).num(), k.expectPrice, 1e-9);
    EXPECT_NEAR(l.value(*l.fieldIndex("CENA_SPR")).num(), k.expectSale, 1e-9);
  }
}

TEST(MAR_CENS, ThePriceTableVariantPricesTheLineThroughTheOrderPricing) {
  Prices s;
  s.line("00012", "00345");
  s.rt.vars().set("_WERSJA", text(variant(16, 'R')));
  s.rt.functions().add("BONA", [](rt::Runtime& rt, rt::Args&) {
    rt.vars().set("BONA_RAN", rt::Value::logical(true));
    return rt::Value::logical(true);
  });
  EXPECT_TRUE(s.call("MAR_CENS").logical());
  EXPECT_TRUE(s.rt.vars().get("BONA_RAN").logical());
}

}  // namespace
