// The goods screens on the scripted screen: the goods browse with the representative's
// choice, the goods window of Alt+I, the goods groups and the clearing of the
// availability marks.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "master/master_fixture.hpp"
#include "master/ptow.hpp"
#include "master/skasuj_zna.hpp"
#include "master/tow_info.hpp"

namespace {

using namespace con::key;
using mastertest::MasterStation;

rt::Value text(std::string s) { return rt::Value::character(std::move(s)); }

std::string variant(std::size_t pos, char ch) {
  std::string w(200, ' ');
  w[pos - 1] = ch;
  return w;
}

TEST(PTOW, HeadOfficeBrowsesAllGoodsByNameAndPrintsThem) {
  MasterStation s;
  s.script.key(kEsc);
  s.printOnce();
  master::PTOW(s.ctx);
  const uitest::Shown& list = s.atRead(0);
  EXPECT_NE(list.row(0).find("█▓▓▒▒░░  PRZEGLĄDANIE SŁOWNIKA TOWARÓW ░░▒▒▓▓█"), std::string::npos);
  EXPECT_NE(list.row(1).find(" nazwa "), std::string::npos) << "the name order, from row 1";
  EXPECT_EQ(list.row(23).rfind("Czerwone  - stany zerowe", 0), 0u);
  EXPECT_EQ(list.row(24).rfind("Fioletowe - ponownie na stanie (przez tydzień)", 0), 0u);
  EXPECT_EQ(list.row(22).rfind(" ", 0), 0u);
  EXPECT_FALSE(list.row(22).find_first_not_of(' ') == std::string::npos) << "the row's label";
  const std::string printed = s.printout();
  EXPECT_NE(printed.find("SŁOWNIK TOWARÓW"), std::string::npos);
  EXPECT_NE(printed.find("UWAGI DO ZAMÓWIENIA"), std::string::npos) << "every goods item";
  EXPECT_NE(printed.find("00500"), std::string::npos);
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(PTOW, TheRepresentativeChoosesOwnStockOrNewGoods) {
  struct Case {
    int rights;  // Right presses in the menu
    const char* layoutHeading;
  };
  for (const Case& k : {Case{0, "Opak."}, Case{1, "Opak."}, Case{2, "Nowość"}}) {
    SCOPED_TRACE(k.rights);
    MasterStation s("ph01");
    s.set("TOW", "INDEKS", "00007", "STAN_PH", rt::Value::number(5, 10, 3));
    s.set("TOW", "INDEKS", "00008", "STAN_PH", rt::Value::number(1, 10, 3));
    std::string firstFresh;  // the first goods marked new or back in stock
    for (db::WorkArea& t = s.open("TOW"); !t.eof() && firstFresh.empty(); t.skip(1)) {
      const std::string mark = t.value(*t.fieldIndex("USLUGA")).text();
      if (mark[0] == '!' || mark[0] == '+') firstFresh = t.value(*t.fieldIndex("INDEKS")).text().substr(0, 5);
    }
    s.ws.closeAll();
    ASSERT_FALSE(firstFresh.empty());
    ASSERT_NE(firstFresh, "00007");
    ASSERT_NE(firstFresh, "00008");
    for (int i = 0; i < k.rights; ++i) s.script.key(kRight);
    s.script.keys({kEnter, kEsc});
    s.printOnce();
    master::PTOW(s.ctx);
    EXPECT_NE(s.atRead(0).row(1).find("Towary :"), std::string::npos);
    EXPECT_NE(s.atRead(0).row(1).find("WSZYSTKIE"), std::string::npos);
    EXPECT_NE(s.atRead(0).row(1).find("NOWOŚCI"), std::string::npos);
    EXPECT_NE(s.atRead(k.rights + 1).row(3).find(k.layoutHeading), std::string::npos) << "the list from row 2";
    const std::string printed = s.printout();
    // WŁASNE: goods 00007 and 00008 only; NOWOŚCI: the first fresh goods and not 00007.
    EXPECT_NE(printed.find(k.rights == 2 ? firstFresh : "00007"), std::string::npos);
    EXPECT_EQ(printed.find("00009") != std::string::npos, k.rights == 0 || firstFresh == "00009");
  }
}

TEST(PTOW, EscInTheRepresentativesMenuEndsTheScreen) {
  MasterStation s("ph01");
  s.script.key(kEsc);
  master::PTOW(s.ctx);
  EXPECT_TRUE(s.printout().empty());
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(PGRU_TOW, ListsTheGoodsGroupsAndPrintsThem) {
  MasterStation s;
  s.script.key(kEsc);
  s.printOnce();
  master::PGRU_TOW(s.ctx);
  EXPECT_NE(s.atRead(0).row(0).find("SŁOWNIK GRUP TOWARÓW"), std::string::npos);
  EXPECT_TRUE(s.wasShown("Artykuły spożywcze"));
  const std::string printed = s.printout();
  EXPECT_NE(printed.find("SŁOWNIK GRUP TOWARÓW"), std::string::npos);
  EXPECT_NE(printed.find("Artykuły spożywcze"), std::string::npos);
  EXPECT_NE(printed.find("Opakowania zwrotne"), std::string::npos);
}

TEST(TOW_INFO, ShowsTheGoodsOfTheCurrentRecord) {
  MasterStation s;
  s.set("TOW", "INDEKS", "00042", "VAT", text("zw"));
  db::WorkArea& lines = s.open("SPR_P");
  ASSERT_TRUE(lines.lockRecord());
  ASSERT_TRUE(lines.replace("INDEKS", text("00042")));
  s.script.keys({kEnter, kEsc});
  master::TOW_INFO(s.ctx);
  const uitest::Shown& shown = s.atRead(1);
  EXPECT_EQ(shown.at(2, 3, 14), "Indeks : 00042");
  EXPECT_NE(shown.row(4).find("Stawka VAT : zw   Jednostka : "), std::string::npos) << shown.row(4);
  EXPECT_NE(shown.row(3).find("Stan :"), std::string::npos);
  EXPECT_NE(shown.row(6).find("Ceny :       1 (N)       2 (N)       3 (B)"), std::string::npos);
  EXPECT_EQ(s.ws.area(2), nullptr);
}

TEST(TOW_INFO, ABarCodeNoGoodsCarriesIsReportedAndTheWindowCloses) {
  MasterStation s;
  s.rt.vars().set("_WERSJA", text(variant(32, 'K')));
  s.paintPattern();
  const uitest::Shown before = s.now();
  // The index is left blank; the bar code is typed in its own field.
  s.script.key(kEnter).type("5909999999999").keys({kEnter, kEnter});
  master::TOW_INFO(s.ctx);
  EXPECT_TRUE(s.wasShown("Nieznany kod paskowy !"));
  EXPECT_EQ(s.now().rows, before.rows);
}

TEST(TOW_INFO, AKnownBarCodeFindsItsGoods) {
  MasterStation s;
  s.rt.vars().set("_WERSJA", text(variant(32, 'K')));
  const std::string code = std::to_string(static_cast<long long>(s.get("TOW", "INDEKS", "00042", "KOD_PAS").num()));
  s.script.key(kEnter).type(code).keys({kEnter, kEsc});
  master::TOW_INFO(s.ctx);
  const uitest::Shown& shown = s.device.shown.back();
  EXPECT_EQ(shown.at(2, 12, 5), "00042");
  EXPECT_NE(shown.row(5).find(code), std::string::npos);
}

TEST(SKASUJ_ZNA, ClearsEveryMarkAfterTheQuestionAndRebuildsTheIndexes) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes);
    MasterStation s;
    s.set("TOW", "INDEKS", "00009", "USLUGA", text("!"));
    s.set("ZMIANY", "INDEKS", "00009", "STATUS", text("!"));
    s.script.type(yes ? "T" : "N");
    if (yes) s.script.waitSeconds(1).key(kEnter);  // the full bar stays half a second
    master::SKASUJ_ZNA(s.ctx);
    EXPECT_EQ(s.wasShown("Skasowano znaczniki zmian."), yes);
    EXPECT_EQ(s.get("TOW", "INDEKS", "00009", "USLUGA").text(), yes ? "   " : "!  ");
    EXPECT_EQ(s.get("ZMIANY", "INDEKS", "00009", "STATUS").text(), yes ? " " : "!");
    db::WorkArea& goods = s.open("TOW", "TOW", mastertest::indexesOf("TOW"));
    EXPECT_TRUE(goods.seek(text("00009"))) << "the index order still finds the goods";
    EXPECT_EQ(s.ws.lowestFree(), 2);
  }
}

}  // namespace
