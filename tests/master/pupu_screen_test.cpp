// PUPU, the discount table viewer, and ESL_KONT, the representatives' accounts, on the
// scripted screen.
#include <gtest/gtest.h>

#include <filesystem>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "master/esl_kont.hpp"
#include "master/master_fixture.hpp"
#include "master/pupu.hpp"

namespace {

using namespace con::key;
using mastertest::MasterStation;

rt::Value text(std::string s) { return rt::Value::character(std::move(s)); }

// The demo's discounts and three more: two for every contractor (a fixed price on goods
// 00042 and 5 % on goods group 002) and one of contractor 00012.
struct Discounts : MasterStation {
  Discounts() {
    db::WorkArea& t = open("UPUSTY", "UPUSTY", mastertest::indexesOf("UPUSTY"));
    row(t, "00000", "", "00042", 9.99, 0);
    row(t, "00000", "002", "", 0, 5);
    row(t, "00012", "", "00042", 8.50, 0);
    ws.closeAll();
  }
  void row(db::WorkArea& t, const char* contractor, const char* group, const char* goods, double price, double pct) {
    ASSERT_TRUE(t.appendBlank());
    ASSERT_TRUE(t.replace("NR_KON", text(contractor)));
    ASSERT_TRUE(t.replace("GRUPA_TOW", text(group)));
    ASSERT_TRUE(t.replace("INDEKS", text(goods)));
    ASSERT_TRUE(t.replace("CENA", rt::Value::number(price, 12, 2)));
    ASSERT_TRUE(t.replace("UPUST", rt::Value::number(pct, 5, 2)));
    t.commit();
  }
};

TEST(PUPU, TheAllContractorsNumberShowsOnlyTheirRowsAndAGroupRowShowsTheGroup) {
  Discounts s;
  s.script.type("00000").keys({kEnter, kEsc});
  s.printOnce();
  master::PUPU(s.ctx);
  const uitest::Shown& list = s.device.shown.back();
  EXPECT_NE(list.row(0).find("PRZEGLĄDANIE TABELI UPUSTÓW DLA ODBIORCÓW"), std::string::npos);
  EXPECT_TRUE(s.wasShown("Napoje")) << "group 002 by its description";
  EXPECT_TRUE(s.wasShown("Uwaga : Na fakturach upusty pozycyjne dodawane są do upustu ogólnego faktury !", 24));
  for (const std::string& r : list.rows) EXPECT_EQ(r.find("00012"), std::string::npos);
  const std::string printed = s.printout();
  EXPECT_NE(printed.find("UPUSTY DLA ODBIORCY : 00000 -  "), std::string::npos);
  EXPECT_NE(printed.find("Napoje"), std::string::npos);
  EXPECT_EQ(printed.find("00012"), std::string::npos) << "only the rows for every contractor";
  EXPECT_FALSE(std::filesystem::exists(s.dir / "DANE#01" / "UPUSTY_R.DBF"));
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(PUPU, OneContractorsRowsAreLabelledWithTheGoodsAndPrintedUnderHisName) {
  Discounts s;
  s.script.type("00012").keys({kEnter, kEsc});
  s.printOnce();
  master::PUPU(s.ctx);
  EXPECT_NE(s.device.shown.back().row(1).find("Dom Handlowy Krzysztof Nowak"), std::string::npos);
  const std::string printed = s.printout();
  EXPECT_NE(printed.find("UPUSTY DLA ODBIORCY : 00012 -  Dom Handlowy Krzysztof Nowak"), std::string::npos);
  EXPECT_NE(printed.find("00012"), std::string::npos);
  EXPECT_EQ(printed.find(" 00000 "), std::string::npos);
}

TEST(PUPU, AnEmptyNumberShowsEveryoneAndANumberNotInTheDictionaryIsRefused) {
  Discounts s;
  s.script.type("99998").keys({kEnter, kHome, 25 /* Ctrl+Y */, kEnter, kEsc});
  s.printOnce();
  master::PUPU(s.ctx);
  EXPECT_EQ(s.atRead(6).cursor.row, 1) << "refused: the number is read again";
  const std::string printed = s.printout();
  EXPECT_NE(printed.find("UPUSTY DLA ODBIORCÓW"), std::string::npos);
  EXPECT_NE(printed.find("00000"), std::string::npos);
  EXPECT_NE(printed.find("00012"), std::string::npos);
}

TEST(ESL_KONT, AnAccountWithoutAnEmailIsGoneAfterLeaving) {
  MasterStation s;
  s.rt.functions().add("HA", [](rt::Runtime&, rt::Args&) { return rt::Value::logical(false); });
  // Del on the first row needs the supervisor password (refused here); then a new row
  // with an account but no address.
  s.script.keys({kDel, kCtrlPgDn, kDown}).type("T00009").keys({kEnter, kEsc, kEsc});
  s.printOnce();
  master::ESL_KONT(s.ctx);
  EXPECT_NE(s.atRead(0).row(0).find("EDYCJA SŁOWNIKA KONT PRZEDSTAWICIELI HANDLOWYCH"), std::string::npos);
  EXPECT_FALSE(s.get("SL_KONT", "KONTO", "00000", "KONTO").isNil()) << "Del without the password deletes nothing";
  EXPECT_TRUE(s.get("SL_KONT", "KONTO", "00009", "KONTO").isNil());
  const std::string printed = s.printout();
  EXPECT_NE(printed.find("SŁOWNIK KONT PRZEDSTAWICIELI HANDLOWYCH"), std::string::npos);
  EXPECT_NE(printed.find("00003"), std::string::npos);
  EXPECT_EQ(printed.find("00009"), std::string::npos);
}

}  // namespace
