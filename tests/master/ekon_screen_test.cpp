// EKON, the contractor dictionary, on the scripted screen: the list and its print, deleting
// only temporary numbers, and a new contractor under the station's temporary number.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "master/ekon.hpp"
#include "master/master_fixture.hpp"

namespace {

using namespace con::key;
using mastertest::MasterStation;

std::string trimmed(const rt::Value& v) {
  std::string s = v.isText() ? v.text() : std::string();
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

TEST(EKON, ListsTheContractorsAndPrintsTheMarkedOnes) {
  MasterStation s;
  s.script.keys({kIns, kIns, kEsc});
  s.printOnce();
  master::EKON(s.ctx);
  const uitest::Shown& first = s.atRead(0);
  EXPECT_EQ(first.row(0).rfind("█▓▓▒▒░░  SŁOWNIK KONTRAHENTÓW  ░░▒▒▓▓█", 0), 0u);
  EXPECT_NE(first.row(4).find("00000"), std::string::npos) << "the general contractor first";
  EXPECT_NE(first.row(5).find("00001"), std::string::npos);
  EXPECT_EQ(first.row(23).rfind(" 00000  ", 0), 0u) << first.row(23);
  EXPECT_EQ(first.row(24).rfind("Tymczasowe numery firmy poprzedzane są literą A.", 0), 0u);
  const std::string printed = s.printout();
  EXPECT_NE(printed.find("SŁOWNIK KONTRAHENTÓW"), std::string::npos);
  EXPECT_NE(printed.find("00000"), std::string::npos);
  EXPECT_NE(printed.find("00001"), std::string::npos);
  EXPECT_EQ(printed.find("00002"), std::string::npos) << "only the two marked rows";
  EXPECT_EQ(s.ws.lowestFree(), 1) << "every table closed";
}

TEST(EKON, WithoutMarksTheWholeDictionaryIsPrinted) {
  MasterStation s;
  s.script.keys({kEsc});
  s.printOnce();
  master::EKON(s.ctx);
  const std::string printed = s.printout();
  EXPECT_NE(printed.find("01000"), std::string::npos);
  EXPECT_NE(printed.find("- koniec -"), std::string::npos);
}

TEST(EKON, AHeadOfficeNumberCannotBeDeletedATemporaryOneCan) {
  MasterStation s("ph01");
  s.set("KON", "NR_KON", "00004", "NR_KON", rt::Value::character("B0007"));
  // Del on the second row (00001) does nothing, not even the question; on the last row
  // (B0007, after every number of head office) it asks and deletes.
  s.script.keys({kDown, kDel, kCtrlPgDn, kDel}).type("T").key(kEsc);
  s.printNothing();
  master::EKON(s.ctx);
  EXPECT_EQ(trimmed(s.get("KON", "NR_KON", "00001", "NR_KON")), "00001");
  EXPECT_TRUE(s.get("KON", "NR_KON", "B0007", "NR_KON").isNil());
  int questions = 0;
  for (const uitest::Shown& shown : s.device.shown)
    for (const std::string& r : shown.rows) questions += r.find("SKASOWAĆ WIERSZ ?") != std::string::npos;
  EXPECT_GT(questions, 0);
  EXPECT_FALSE(s.atRead(2).row(12).find("SKASOWAĆ WIERSZ ?") != std::string::npos)
      << "the first Del asked nothing";
}

TEST(EKON, ANewContractorTakesTheStationsNextTemporaryNumber) {
  MasterStation s("ph01");
  s.set("KON", "NR_KON", "00004", "NR_KON", rt::Value::character("B0041"));
  // Down past the last row asks for a new row; its number is left blank (the next
  // temporary one), then the name is typed, and Esc ends the editing and the screen.
  s.script.keys({kCtrlPgDn, kDown}).type("T").key(kEnter).type("Nowy Klient").keys({kEnter, kEsc, kEsc});
  s.printNothing();
  master::EKON(s.ctx);
  EXPECT_EQ(trimmed(s.get("KON", "NR_KON", "B0042", "NAZWA_KON")), "Nowy Klient");
}

TEST(EKON, ANumberOfAnotherContractorIsRefusedAndNothingIsStored) {
  MasterStation s("ph01");
  // The new row's number is typed as 1 (00001, taken), refused, then given up with Esc.
  s.script.keys({kCtrlPgDn, kDown}).type("T1").keys({kEnter, kEnter, kEsc, kEsc});
  s.printNothing();
  master::EKON(s.ctx);
  EXPECT_TRUE(s.wasShown("Kontrahent o takim numerze już istnieje !"));
  int holders = 0, unnumbered = 0;
  db::WorkArea& kon = s.open("KON");
  for (kon.goTop(); !kon.eof(); kon.skip(1)) {
    holders += trimmed(kon.value(*kon.fieldIndex("NR_KON"))) == "00001";
    unnumbered += trimmed(kon.value(*kon.fieldIndex("NR_KON"))).empty();
  }
  EXPECT_EQ(holders, 1);
  EXPECT_EQ(unnumbered, 0) << "the row left without a number is gone";
}

}  // namespace
