// Stock and pack of the goods of an order line, bar codes typed as goods indexes, the
// three-price work table and the package copy of a goods record.
#include <gtest/gtest.h>

#include <filesystem>

#include "db/work_area.hpp"
#include "master/master_fixture.hpp"
#include "store/schema.hpp"

namespace {

using mastertest::MasterStation;

rt::Value text(std::string s) { return rt::Value::character(std::move(s)); }

struct GoodsStation : MasterStation {
  GoodsStation() {
    tow = &open("TOW", "TOW", mastertest::indexesOf("TOW"));
    tow->setOrder(2);
    tow->goTop();
    towRecno = tow->recno();
  }
  // A new order line, current.
  db::WorkArea& line(const std::string& goods) {
    if (lines == nullptr) lines = &open("EWIZAM", "EWIZAM");
    db::WorkArea& l = *lines;
    ws.select(l.number());
    EXPECT_TRUE(l.appendBlank());
    EXPECT_TRUE(l.replace("INDEKS", text(goods)));
    return l;
  }
  void expectGoodsUntouched() {
    EXPECT_EQ(tow->orderNumber(), 2);
    EXPECT_EQ(tow->recno(), towRecno);
  }
  db::WorkArea* tow = nullptr;
  db::WorkArea* lines = nullptr;
  std::uint32_t towRecno = 0;
};

TEST(STAN_OG, StockAndOwnStockOfTheLinesGoodsInTheQuantityPicture) {
  GoodsStation s;
  s.set("TOW", "INDEKS", "00007", "STAN", rt::Value::number(12.5, 10, 3));
  s.set("TOW", "INDEKS", "00007", "STAN_PH", rt::Value::number(3, 10, 3));
  s.rt.vars().set("_FORMAT_ILO", text("99999.999"));
  s.line("00007");
  EXPECT_EQ(s.call("STAN_OG").text(), "   12.500/    3.000");
  s.line("99999");
  EXPECT_EQ(s.call("STAN_OG").text(), "    0.000/    0.000");
  s.expectGoodsUntouched();
}

TEST(OPAK, ThePackOfTheLinesGoodsOrZero) {
  GoodsStation s;
  s.set("TOW", "INDEKS", "00007", "OPAKOWANIE", rt::Value::number(24, 7, 1));
  s.line("00007");
  EXPECT_EQ(s.call("OPAK").num(), 24);
  s.line("abc");
  EXPECT_EQ(s.call("OPAK").num(), 0);
  s.expectGoodsUntouched();
}

TEST(PTOI, ABarCodeTypedAsIndexBecomesTheGoodsIndex) {
  GoodsStation s;
  const std::string code = std::to_string(static_cast<long long>(s.get("TOW", "INDEKS", "00042", "KOD_PAS").num()));
  ASSERT_EQ(code.size(), 13u);
  struct Case {
    std::string typed, after;
  };
  for (const Case& k : {Case{code, "00042"}, Case{"5909999999999", "5909999999999"}, Case{"00042", "00042"},
                        Case{"123456", "123456"}}) {
    SCOPED_TRACE(k.typed);
    db::WorkArea& l = s.line(k.typed);
    EXPECT_TRUE(s.call("PTOI").logical());
    std::string index = l.value(*l.fieldIndex("INDEKS")).text();
    index.erase(index.find_last_not_of(' ') + 1);
    EXPECT_EQ(index, k.after);
  }
  s.expectGoodsUntouched();
}

TEST(WE_SL_TO_R, TheThreeListPricesOfTheGoodsWithTheirKinds) {
  GoodsStation s;
  db::WorkArea& l = s.line("00042");
  const int lineArea = l.number();
  s.call("WE_SL_TO_R");
  EXPECT_EQ(s.ws.selected(), lineArea);
  db::WorkArea* t = s.ws.find("TO_R");
  ASSERT_NE(t, nullptr);
  const char* kinds[] = {"N", "N", "B"};  // the demo's CENY_1..CENY_3
  const char* prices[] = {"CENA_1", "CENA_2", "CENA_3"};
  t->goTop();
  for (int i = 0; i < 3; ++i, t->skip(1)) {
    SCOPED_TRACE(i);
    ASSERT_FALSE(t->eof());
    EXPECT_EQ(t->value(0).text(), kinds[i]);
    EXPECT_EQ(t->value(1).num(), s.get("TOW", "INDEKS", "00042", prices[i]).num());
  }
  EXPECT_TRUE(t->eof());
  const std::string file = s.path("DANE#01/TO_R.DBF");
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(s.call("WY_SL_TO_R").num(), 0);
  EXPECT_EQ(s.ws.find("TO_R"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(file));
  s.expectGoodsUntouched();
}

TEST(DAJ_TOW_H, ThePackageRecordTakesEverythingButTheStock) {
  GoodsStation s;
  ASSERT_TRUE(store::createTable(s.tables, store::packageTable("TOW"), "DANE#01\\TOW_H"));
  db::WorkArea& h = s.open("DANE#01/TOW_H", "TOW_H");
  ASSERT_TRUE(h.appendBlank());
  s.tow->setOrder(1);
  ASSERT_TRUE(s.tow->seek(text("00042")));
  s.call("DAJ_TOW_H");
  for (const char* f : {"INDEKS", "NAZWA_TOW", "OPIS_TOW", "KOD_PAS", "GRUPA_TOW", "OPAKOWANIE", "JM", "VAT", "CENA_1",
                        "CENA_2", "CENA_3", "CENA_ZAK", "NR_KON", "SWW", "OPAK_ZWR", "USLUGA"}) {
    SCOPED_TRACE(f);
    const rt::Value a = h.value(*h.fieldIndex(f)), b = s.tow->value(*s.tow->fieldIndex(f));
    if (a.isNumber())
      EXPECT_EQ(a.num(), b.num());
    else
      EXPECT_EQ(a.text(), b.text());
  }
  EXPECT_EQ(h.value(*h.fieldIndex("STAN")).num(), 0);
  EXPECT_EQ(h.value(*h.fieldIndex("STAN_MIN")).num(), 0);
}

}  // namespace
