// The command table and the routines that ask, stop or give up: TMP, STOP_SORT, DISKERROR,
// KART_OK, HASLO.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "con/key_codes.hpp"
#include "core/commands.hpp"
#include "core/routines_fixture.hpp"
#include "core/tmp.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "ui/break.hpp"

namespace {

using con::key::kEnter;
using con::key::kEsc;
using coretest::RoutinesStation;

TEST(Commands, EveryCommandAnswersToItsNameAndAMissingOneStandsInWithTheNotice) {
  RoutinesStation s;
  for (const core::Command& command : core::commandTable()) {
    SCOPED_TRACE(std::string(command.name));
    EXPECT_TRUE(s.rt.functions().contains(command.name));
  }
  s.script.key(kEnter);
  s.call("EZAM");
  EXPECT_TRUE(s.wasShown(12, "Opcja w opracowaniu"));
}

TEST(Commands, ARoutineAlreadyRegisteredIsNotReplacedByAStandIn) {
  RoutinesStation s;
  bool ran = false;
  s.rt.functions().add("PZAM", [&ran](rt::Runtime&, rt::Args&) {
    ran = true;
    return rt::Value();
  });
  core::registerCommands(s.rt.functions(), s.ctx);
  s.call("PZAM");
  EXPECT_TRUE(ran);
  EXPECT_TRUE(s.device.shown.empty());
}

struct RepairStation : RoutinesStation {
  RepairStation() {
    // ILE_POZ, ILO_SKA, ILO_FAK, ILE_SKA
    makeTable("ZAM_N", {{"ILE_POZ", 'N', 4}, {"ILO_SKA", 'N', 8, 2}, {"ILO_FAK", 'N', 8, 2}, {"ILE_SKA", 'N', 4}},
              {{"10", "5", "10", "0"},    // half the quantity counted: 5 of 10 lines
               {"10", "30", "10", "0"},   // more counted than delivered: no more than all lines
               {"10", "5", "10", "7"},    // already filled in
               {"10", "0", "10", "0"},    // nothing counted
               {"10", "5", "0", "0"}});   // nothing delivered
  }
  std::vector<int> counts() {
    std::vector<int> out;
    db::WorkArea& t = open("ZAM_N");
    for (t.goTop(); !t.eof(); t.skip()) out.push_back(static_cast<int>(t.value(3).num()));
    ws.close(t.number());
    return out;
  }
};

TEST(TMP, FillsTheMissingCountsWhenConfirmedBeforeItsLastDay) {
  RepairStation s;
  s.setToday(2014, 5, 28);
  s.script.type("T").key(kEnter);
  s.call("TMP");
  EXPECT_TRUE(s.wasShown(12, "Uzupełnić pole ILE_SKA w ZAM_N.DBF ?"));
  EXPECT_TRUE(s.wasShown(12, "Uzupełniono pole ILE_SKA w ZAM_N.DBF"));
  EXPECT_EQ(s.counts(), (std::vector<int>{5, 10, 7, 0, 0}));
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(TMP, DoesNothingWhenRefusedOrAfterItsLastDay) {
  {
    RepairStation s;
    s.setToday(2014, 1, 2);
    s.script.type("N");
    s.call("TMP");
    EXPECT_EQ(s.counts(), (std::vector<int>{0, 0, 7, 0, 0}));
  }
  {
    RepairStation s;
    s.setToday(2014, 5, 29);
    s.script.key(kEnter);
    s.call("TMP");
    EXPECT_TRUE(s.wasShown(12, "Funkcja nieaktywna"));
    EXPECT_FALSE(s.wasShown(12, "Uzupełnić"));
    EXPECT_EQ(s.counts(), (std::vector<int>{0, 0, 7, 0, 0}));
  }
}

TEST(TMP, TheRepairedCountStaysBetweenZeroAndTheLines) {
  struct Case {
    double lines, counted, delivered, count;
  };
  const Case cases[] = {{10, 5, 10, 5}, {10, 30, 10, 10}, {4, 1, 3, 4.0 / 3}, {0, 5, 10, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.counted);
    EXPECT_DOUBLE_EQ(core::repairedCount(k.lines, k.counted, k.delivered), k.count);
  }
}

TEST(STOP_SORT, EscConfirmedClosesTheTablesAndGivesUpTheRebuild) {
  RoutinesStation s;
  s.makeTable("T", {{"KOD", 'C', 2}}, {{"A"}});
  s.open("T");
  s.con.write(23, 0, std::string(60, 'x'));
  s.script.key(kEsc).type("T");
  EXPECT_THROW(s.call("STOP_SORT"), ui::Break);
  EXPECT_TRUE(s.wasShown(12, "Przerwać sortowanie ?"));
  EXPECT_EQ(s.now().row(23).substr(0, 41), std::string(41, ' '));
  EXPECT_EQ(s.now().row(23).substr(41, 19), std::string(19, 'x'));
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(STOP_SORT, EscDeniedOrAnotherKeyLetsTheRebuildGoOn) {
  RoutinesStation s;
  s.makeTable("T", {{"KOD", 'C', 2}}, {{"A"}});
  s.open("T");
  s.script.key(kEsc).type("N");
  EXPECT_NO_THROW(s.call("STOP_SORT"));
  s.script.type("x");
  EXPECT_NO_THROW(s.call("STOP_SORT"));
  EXPECT_NO_THROW(s.call("STOP_SORT"));  // nothing waiting
  int asked = 0;
  for (const uitest::Shown& shown : s.device.shown) asked += shown.row(12).find("Przerwać sortowanie ?") != std::string::npos;
  EXPECT_EQ(asked, 1) << "asked once, for the Esc";
  EXPECT_NE(s.ws.current(), nullptr);
}

TEST(DISKERROR, ReportsTheDriveAndGivesUpTheOperation) {
  RoutinesStation s;
  s.script.key(kEnter);
  EXPECT_THROW(s.call("DISKERROR"), ui::Break);
  EXPECT_TRUE(s.wasShown(12, "Błąd napędu. Powtórz operację."));
}

struct ConfigStation : RoutinesStation {
  ConfigStation() {
    makeTable("CONFIG", {{"KARTOTEKA", 'C', 8}}, {{"DANE"}});
    rt.vars().set("NUMER_STAN", rt::Value::character("02"));
    rt.vars().set("_SC", rt::Value::character("DANE#02\\"));
    open("CONFIG");
  }
};

TEST(KART_OK, AnExistingStationFolderPassesWithoutAQuestion) {
  ConfigStation s;
  std::filesystem::create_directory(s.dir / "DANE#02");
  EXPECT_TRUE(s.call("KART_OK").logical());
  EXPECT_TRUE(s.device.shown.empty());
}

TEST(KART_OK, AMissingFolderAsksAndNoKeepsTheProgramGoing) {
  ConfigStation s;
  s.script.type("N");
  EXPECT_FALSE(s.call("KART_OK").logical());
  EXPECT_TRUE(s.wasShown(12, "Na dysku nie ma kartoteki DANE#02 ! WYJŚCIE Z PROGRAMU ?"));
}

TEST(KART_OK, AMissingFolderAndYesEndTheProgramWithoutItsRegistration) {
  ConfigStation s;
  std::filesystem::create_directory(s.dir / "DANE#02");
  { std::ofstream(s.dir / "DANE#02" / "FLAGA") << "ADM"; }
  s.rt.vars().set("NUMER_STAN", rt::Value::character("03"));  // the form names another station
  s.rt.vars().set("_SC", rt::Value::character("DANE#02\\"));
  s.script.type("T");
  EXPECT_THROW(s.call("KART_OK"), store::ProgramEnd);
  EXPECT_FALSE(std::filesystem::exists(s.dir / "DANE#02" / "FLAGA"));
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

struct PasswordStation : RoutinesStation {
  PasswordStation() {
    makeTable("HASLA", {{"HASLO", 'C', 6}, {"OPIS", 'C', 40}}, {{"PIERW1", "Pierwsze"}, {"DRUGI2", "Drugie"}});
    rt.functions().add("HA", [this](rt::Runtime&, rt::Args& a) {
      asked.push_back(a[0].text() + "/" + std::to_string(static_cast<int>(a[2].num())));
      return rt::Value::logical(answer);
    });
  }
  void switchOn(bool on) {
    std::string variant(60, ' ');
    if (on) variant[48] = 'H';
    rt.vars().set("_WERSJA", rt::Value::character(variant));
  }
  std::vector<std::string> asked;
  bool answer = true;
};

TEST(HASLO, AsksForPasswordNumberNOnlyWhileSpecialPasswordsAreOn) {
  PasswordStation s;
  s.switchOn(false);
  EXPECT_TRUE(s.call("HASLO", {rt::Value::integer(2)}).logical());
  EXPECT_TRUE(s.asked.empty());
  s.switchOn(true);
  EXPECT_TRUE(s.call("HASLO", {rt::Value::integer(2)}).logical());
  s.answer = false;
  EXPECT_FALSE(s.call("HASLO", {rt::Value::integer(1)}).logical());
  EXPECT_EQ(s.asked, (std::vector<std::string>{"DRUGI2/2", "PIERW1/1"}));
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(HASLO, APasswordThatIsNotThereCannotBeGiven) {
  PasswordStation s;
  s.switchOn(true);
  EXPECT_FALSE(s.call("HASLO", {rt::Value::integer(3)}).logical());
  std::filesystem::remove(s.dir / "HASLA.DBF");
  EXPECT_FALSE(s.call("HASLO", {rt::Value::integer(1)}).logical());
  EXPECT_TRUE(s.asked.empty());
}

}  // namespace
