// KON_INFO, the contractor window of Alt+K, with its invoices and their lines, its notes,
// and the hot keys it holds back while it is open.
#include <gtest/gtest.h>

#include <filesystem>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "master/kon_info.hpp"
#include "master/master_fixture.hpp"
#include "rt/codepage.hpp"
#include "rt/error.hpp"

namespace {

using namespace con::key;
using mastertest::MasterStation;

namespace fs = std::filesystem;

// A station whose current area stands on contractor `number` of KON.
struct OnContractor : MasterStation {
  explicit OnContractor(const std::string& number) {
    db::WorkArea& kon = open("KON", "KON", mastertest::indexesOf("KON"));
    EXPECT_TRUE(kon.seek(rt::Value::character(number)));
    con.bindings().bind(kAltK, [this](const con::HotKeyCall&) { ++altK; });
    con.bindings().bind(kAltI, [this](const con::HotKeyCall&) { ++altI; });
    paintPattern();
    before = now();
    colour = con.colour();
  }
  bool workFilesLeft() const {
    for (const char* f : {"SPR_INFO.DBF", "SPR_INFO.NTX", "POZ_FAK.DBF", "POZ_FAK.NTX"})
      if (fs::exists(dir / "DANE#01" / f)) return true;
    return false;
  }
  int altK = 0, altI = 0;
  uitest::Shown before;
  std::string colour;
};

TEST(KON_INFO, ShowsTheContractorOfTheCurrentRecordAndPutsTheScreenBack) {
  OnContractor s("00003");
  s.set("KON", "NR_KON", "00003", "WN_ODB", rt::Value::number(1500.5, 12, 2));
  s.set("KON", "NR_KON", "00003", "MA_ODB", rt::Value::number(500, 12, 2));
  s.set("KON", "NR_KON", "00003", "UWAGI", rt::Value::character("Dostawa tylko rano"));
  s.script.keys({kEnter, kAltK, kAltI, kEsc});
  master::KON_INFO(s.ctx);
  const uitest::Shown& card = s.device.shown.at(1);
  EXPECT_EQ(card.at(3, 3, 23), "Nr kontrahenta :  00003");
  EXPECT_NE(card.row(3).find("Grupa : "), std::string::npos);
  EXPECT_EQ(card.at(4, 3, 24), "Kawiarnia Ewa Nowakowska");
  EXPECT_EQ(card.at(8, 3, 29), "Saldo WN odbiorcy :   1000.50");
  EXPECT_EQ(card.at(8, 40, 27), "Obroty odbiorcy :   1500.50");
  EXPECT_EQ(card.at(13, 3, 18), "Dostawa tylko rano");
  EXPECT_NE(card.row(23).find(" edycja - PgDn "), std::string::npos);
  EXPECT_EQ(s.altK + s.altI, 0) << "neither window opens inside the window";
  EXPECT_EQ(s.now().rows, s.before.rows);
  EXPECT_EQ(s.now().cursor, s.before.cursor);
  EXPECT_EQ(s.con.colour(), s.colour);
  EXPECT_EQ(s.ws.selected(), 1);
  EXPECT_EQ(s.ws.area(2), nullptr) << "no table of the window stays open";
}

TEST(KON_INFO, TheHotKeysAreBoundAgainAfterwards) {
  OnContractor s("00003");
  s.script.keys({kEsc, kAltK, kAltI, 'x'});
  master::KON_INFO(s.ctx);
  EXPECT_EQ(s.con.waitKey(con::KeyWait::forever(), {}), 'x');
  EXPECT_EQ(s.altK, 1);
  EXPECT_EQ(s.altI, 1);
}

TEST(SPR_INFO, AContractorWithoutInvoicesGetsTheMessageAndNoWorkFiles) {
  OnContractor s("00005");
  s.set("KON", "NR_KON", "00005", "NR_KON", rt::Value::character("99999"));
  s.ws.closeAll();
  s.open("KON", "KON", mastertest::indexesOf("KON")).seek(rt::Value::character("99999"));
  s.script.keys({kEnter, ' ', kEnter, kEsc});
  master::KON_INFO(s.ctx);
  EXPECT_TRUE(s.wasShown("Brak faktur tego odbiorcy !"));
  EXPECT_FALSE(s.workFilesLeft());
}

TEST(SPR_INFO, ListsTheInvoicesAndTheLinesOfOneAndRemovesTheWorkFiles) {
  OnContractor s("00003");
  const std::string document = s.get("SPR_N", "NR_KON", "00003", "DOKUMENT").text();
  const std::string goods = s.get("SPR_P", "DOKUMENT", document, "INDEKS").text().substr(0, 5);
  s.script.keys({kEnter, ' ', ' ', kEsc, kEsc, kEsc});
  master::KON_INFO(s.ctx);
  EXPECT_TRUE(s.wasShown(document));
  EXPECT_TRUE(s.wasShown(goods));
  EXPECT_FALSE(s.workFilesLeft());
}

TEST(KON_INFO, NotesAreEditedWithPgDnAndStoredWithCtrlW) {
  OnContractor s("00003");
  s.script.keys({kEnter, kPgDn}).type("Płaci gotówką").keys({kCtrlEnd /* Ctrl+W */, kEsc});
  master::KON_INFO(s.ctx);
  std::string note = s.get("KON_TXT", "NR_KON", "00003", "TEKST").text();
  EXPECT_EQ(note.rfind(rt::cp852FromUtf8("Płaci gotówką"), 0), 0u);
  // Esc in the editor drops what was typed.
  OnContractor again("00003");
  again.script.keys({kEnter, kPgDn}).type("xyz").keys({kEsc, 'T', kEsc});
  master::KON_INFO(again.ctx);
  EXPECT_TRUE(again.get("KON_TXT", "NR_KON", "00003", "TEKST").isNil()) << "no empty note record either";
}

TEST(KON_INFO, EnterAsksForTheContactHistoryByName) {
  OnContractor s("00003");
  s.script.keys({kEnter, kEnter});
  try {
    master::KON_INFO(s.ctx);
    FAIL() << "no error";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.error().genCode, rt::GenCode::NoFunc);
    EXPECT_EQ(e.error().operation, "HCRM");
  }
  EXPECT_EQ(s.now().rows, s.before.rows);
  EXPECT_EQ(s.ws.area(2), nullptr);
  s.script.keys({kAltK, 'x'});
  s.con.waitKey(con::KeyWait::forever(), {});
  EXPECT_EQ(s.altK, 1);
}

}  // namespace
