// The credit check before an order, the footer lines of contractor lists and the
// temporary contractor numbers of a representative's station.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "master/master_fixture.hpp"

namespace {

using con::key::kEnter;
using mastertest::MasterStation;

rt::Value text(std::string s) { return rt::Value::character(std::move(s)); }
rt::Value money(double v) { return rt::Value::number(v, 12, 2); }

TEST(KON_OK, WarnsOfABlockedContractorAndOfADebtOverTheLimit) {
  struct Case {
    double limit, debit, credit;
    bool blocked, over;
  };
  const Case cases[] = {
      {0.50, 100, 0, true, true},     // blocked by head office, and any debt is over it
      {0.50, 0, 0, true, false},
      {0, 1000000, 0, false, false},  // no limit whatever the balance
      {1000, 1500, 0, false, true},
      {1000, 1500, 600, false, false},
      {1.01, 0, 0, false, false},     // 1.01 is a limit, not a block
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.limit) + " " + std::to_string(k.debit) + " " + std::to_string(k.credit));
    MasterStation s;
    s.set("KON", "NR_KON", "00012", "LIMIT", money(k.limit));
    s.set("KON", "NR_KON", "00012", "WN_ODB", money(k.debit));
    s.set("KON", "NR_KON", "00012", "MA_ODB", money(k.credit));
    s.script.key(kEnter).key(kEnter);
    EXPECT_TRUE(s.call("KON_OK", {text("00012")}).logical());
    EXPECT_EQ(s.wasShown("Klient zablokowany przez centralę."), k.blocked);
    EXPECT_EQ(s.wasShown("Przekroczony limit zadłużenia."), k.over);
    EXPECT_EQ(s.ws.lowestFree(), 1) << "the table opened for the check is closed again";
  }
}

TEST(KON_OK, AnOpenContractorTableIsLeftOnTheContractorInItsOwnOrder) {
  MasterStation s;
  db::WorkArea& kon = s.open("KON", "KON", mastertest::indexesOf("KON"));
  kon.setOrder(2);
  EXPECT_TRUE(s.call("KON_OK", {text("00345")}).logical());
  EXPECT_EQ(kon.orderNumber(), 2);
  EXPECT_EQ(kon.value(*kon.fieldIndex("NR_KON")).text(), "00345");
}

TEST(SLAD_KON, FooterLinesJoinTownStreetAndNameWithoutEmptyParts) {
  MasterStation s;
  db::WorkArea& kon = s.open("KON", "KON");
  ASSERT_TRUE(kon.lockRecord());
  ASSERT_TRUE(kon.replace("NAZWA_KON", text("Sklep Nowak")));
  ASSERT_TRUE(kon.replace("MIASTO", text("Konin")));
  ASSERT_TRUE(kon.replace("ADRES", text("ul. Polna 3")));
  const std::string one = s.call("SLAD_KON").text(), two = s.call("SLAD_KON2").text();
  EXPECT_EQ(one, " Konin, ul. Polna 3" + std::string(70 - 19, ' '));
  EXPECT_EQ(two, " Sklep Nowak, Konin, ul. Polna 3" + std::string(76 - 32, ' '));
  ASSERT_TRUE(kon.replace("ADRES", text("")));
  EXPECT_EQ(s.call("SLAD_KON").text(), " Konin" + std::string(64, ' '));
}

TEST(KON_TMP, LettersAndBlanksMarkTemporaryNumbers) {
  MasterStation s;
  for (const auto& [number, temporary] : std::vector<std::pair<std::string, bool>>{
           {"B0001", true}, {"Z9999", true}, {"     ", true}, {"00012", false}, {"b0001", false}, {"10000", false}}) {
    SCOPED_TRACE(number);
    EXPECT_EQ(s.call("KON_TMP", {text(number)}).logical(), temporary);
  }
}

struct NewContractor : MasterStation {
  NewContractor() : MasterStation("ph01") {
    kon = &open("KON", "KON", mastertest::indexesOf("KON"));
    kon->setOrder(2);  // the list may stand in any order
  }
  // A new record with `typed` as its number, run through the routine named.
  std::string numberAfter(const std::string& typed, const char* routine, bool* accepted = nullptr) {
    EXPECT_TRUE(kon->appendBlank());
    EXPECT_TRUE(kon->replace("NR_KON", text(typed)));
    const rt::Value ok = call(routine, {rt::Value::logical(false)});
    if (accepted) *accepted = ok.logical();
    std::string n = kon->value(*kon->fieldIndex("NR_KON")).text();
    kon->commit();
    return n;
  }
  db::WorkArea* kon = nullptr;
};

TEST(DAJ_TMP, ABlankNumberTakesTheStationsNextTemporaryNumber) {
  NewContractor s;
  EXPECT_EQ(s.rt.vars().get("_CKON").text(), "B");
  EXPECT_EQ(s.numberAfter("", "DAJ_TMP"), "B0001");
  EXPECT_EQ(s.numberAfter("", "DAJ_TMP"), "B0002");
  EXPECT_EQ(s.numberAfter("B41", "DAJ_TMP"), "B0041");
  EXPECT_EQ(s.numberAfter("", "DAJ_TMP"), "B0042");
  EXPECT_EQ(s.kon->orderNumber(), 2);
}

TEST(DAJ_TMP, TypedNumbersAreWrittenInTheirStoredForm) {
  NewContractor s;
  struct Case {
    const char* typed;
    const char* stored;
  };
  for (const Case& k : {Case{"123", "00123"}, Case{"7", "00007"}, Case{"B5", "B0005"}, Case{"C0005", "C0005"},
                        Case{"01234", "01234"}}) {
    SCOPED_TRACE(k.typed);
    EXPECT_EQ(s.numberAfter(k.typed, "DAJ_TMP"), k.stored);
  }
}

TEST(UNIK_KON, ANumberOfAnotherContractorIsRefused) {
  NewContractor s;
  s.script.key(kEnter);
  bool accepted = true;
  EXPECT_EQ(s.numberAfter("1", "UNIK_KON", &accepted), "00001");
  EXPECT_FALSE(accepted);
  EXPECT_TRUE(s.wasShown("Kontrahent o takim numerze już istnieje !"));
  EXPECT_EQ(s.numberAfter("", "UNIK_KON", &accepted), "B0001");
  EXPECT_TRUE(accepted);
}

}  // namespace
