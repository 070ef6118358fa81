// The station's start-up and shut-down, run in-process on the scripted screen over a small
// installation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app_fixture.hpp"
#include "app/colour_files.hpp"
#include "app/registration_file.hpp"
#include "app/startup.hpp"
#include "con/key_codes.hpp"
#include "core/program_vars.hpp"
#include "db/work_area.hpp"
#include "rt/mem_file.hpp"
#include "rt/mem_save_restore.hpp"
#include "testkit/temp_dir.hpp"

namespace {

using con::key::kEnter;
using con::key::kEsc;
namespace fs = std::filesystem;

// Logs in as ADM and leaves through "KONIEC PRACY" (Esc moves the highlight there).
void loginAndLeave(apptest::AppStation& s, const char* password = "ADMIN1") {
  s.script.type(password).key(kEnter).key(kEsc).key(kEnter);
}

TEST(MAIN, TheStationArgumentNamesTheStationOrEndsTheRunSilently) {
  struct Case {
    std::optional<std::string_view> argument;
    const char* station;  // nullptr: the run ends before anything is shown
  };
  const Case cases[] = {{std::nullopt, "01"}, {"7", "07"}, {"07", "07"}, {"7a", nullptr},
                        {"123", nullptr},     {"a", nullptr}, {"", "01"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.argument.value_or("(none)")));
    apptest::AppStation s({"00000", 9});
    if (c.station != nullptr) loginAndLeave(s);
    const int code = s.run(c.argument);
    if (c.station == nullptr) {
      EXPECT_EQ(code, 0);
      EXPECT_TRUE(s.device.shown.empty());
      EXPECT_EQ(s.script.text().find_first_not_of(" \n"), std::string::npos);
      continue;
    }
    EXPECT_EQ(code, 1);  // ADM is operator 1
    EXPECT_EQ(core::NUMER_STAN(s.station->rt), c.station);
    EXPECT_TRUE(s.script.scriptDone());
  }
}

TEST(MAIN, AStationOutsideTheInstalledOnesIsRefusedBeforeTheLogin) {
  for (const char* argument : {"00", "0", "4", "99"}) {
    SCOPED_TRACE(argument);
    apptest::AppStation s({"00000", 3});
    s.script.key(kEnter);
    EXPECT_EQ(s.run(argument), 0);
    EXPECT_TRUE(s.wasShown("Niedozwolone stanowisko"));
    EXPECT_FALSE(s.wasShown("******"));
  }
}

TEST(MAIN, AnOrderlyEndRemovesTheStationFilesAndGivesTheOperatorNumber) {
  apptest::AppStation s;
  loginAndLeave(s, "OPER01");
  ASSERT_TRUE(fs::exists(s.file("DANE#01/MENU.NTX")));
  EXPECT_EQ(s.run("1"), 2);  // OPE is operator 2
  EXPECT_FALSE(fs::exists(s.file("DANE#01/FLAGA")));
  EXPECT_FALSE(fs::exists(s.file("DANE#01/MENU.NTX")));
  // The station got its own print settings with their index.
  EXPECT_TRUE(fs::exists(s.file("DANE#01/PARADRUK.DBF")));
  EXPECT_TRUE(fs::exists(s.file("DANE#01/PARADRUK.NTX")));
  // The default colours are written back to the program folder's colour file, alone.
  rt::Runtime fresh;
  ASSERT_TRUE(rt::restoreMemFile(fresh.vars(), s.file("dorvik.mem"), rt::RestoreMode::Replace));
  EXPECT_EQ(fresh.vars().get("_EKRA_BLO").text(), "W/N, N/W, N/N");
  EXPECT_EQ(fresh.vars().get("_EDIT_BLO").text(), "W/N, N/W, N/N,,,,,W+/N");
  EXPECT_EQ(fresh.vars().get("_SLOW_BLO").text(), "W/N, N/W, N/N,,,,,W+/N");
  EXPECT_EQ(fresh.vars().list().size(), 3u);
}

TEST(MAIN, AFailedLoginEndsTheRunWithoutRegisteringTheOperator) {
  apptest::AppStation s;
  for (int i = 0; i < 3; ++i) s.script.type("ZLE").key(kEnter).waitSeconds(2.5);
  EXPECT_EQ(s.run(), 0);
  EXPECT_FALSE(fs::exists(s.file("DANE#01/FLAGA")));
}

TEST(MAIN, TheServiceStopShowsItsNoticeAndEnds) {
  for (const char* marker : {"STOP", "STOP.TXT"}) {
    SCOPED_TRACE(marker);
    apptest::AppStation s;
    std::ofstream(s.file(marker)) << "";
    s.script.key(kEnter);
    EXPECT_EQ(s.run(), 0);
    EXPECT_EQ(s.script.row(0).substr(0, 26), "Trwa serwis oprogramowania");
    EXPECT_TRUE(s.script.scriptDone());
  }
}

TEST(MAIN, TheServiceStopEndsAfterTenSecondsWithoutAKey) {
  apptest::AppStation s;
  std::ofstream(s.file("STOP")) << "";
  EXPECT_EQ(s.run(), 0);  // an empty script: the timed wait passes, an untimed one would throw
}

TEST(MAIN, AMissingOperatorsTableIsReported) {
  apptest::AppStation s;
  fs::remove(s.file("SL_OPE.DBF"));
  s.script.key(kEnter);
  EXPECT_EQ(s.run(), 0);
  EXPECT_TRUE(s.wasShown("Brak pliku SL_OPE.DBF"));
}

TEST(MAIN, AMissingStationFolderIsReportedAndTheRegistrationFails) {
  apptest::AppStation s;
  fs::remove_all(s.file("DANE#01"));
  s.script.type("ADMIN1").key(kEnter).key(kEnter).key(kEnter);
  EXPECT_EQ(s.run(), 0);
  EXPECT_TRUE(s.wasShown("Uwaga! Błędna konfiguracja programu. Brak kartoteki DANE#01"));
  EXPECT_TRUE(s.wasShown("Nieudana próba inicjacji katalogu roboczego !"));
}

TEST(MAIN, TheStructureUpgradeRunsOnlyForADifferentStamp) {
  struct Case {
    const char* stamp;
    std::optional<bool> upgrade;  // what UZG_WER gives; nullopt: not registered
    bool reachesLogin;
    int upgrades;
  };
  const Case cases[] = {{"180916", true, true, 0}, {"170101", true, true, 1}, {"170101", false, false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stamp) + (c.upgrade ? (*c.upgrade ? " true" : " false") : " none"));
    apptest::Installation inst;
    inst.stamp = c.stamp;
    apptest::AppStation s(inst);
    int upgrades = 0;
    std::string oldStamp;
    if (c.upgrade) {
      s.station->rt.functions().add("UZG_WER", [&](rt::Runtime&, rt::Args& a) {
        ++upgrades;
        oldStamp = a[0].text();
        return rt::Value::logical(*c.upgrade);
      });
    }
    if (c.reachesLogin) loginAndLeave(s);
    EXPECT_EQ(s.run(), c.reachesLogin ? 1 : 0);
    EXPECT_EQ(upgrades, c.upgrades);
    if (upgrades > 0) {
      EXPECT_EQ(oldStamp, c.stamp);
    }
  }
}

TEST(MAIN, TheRoutinesOfOtherSubsystemsAreCalledInStartUpOrder) {
  apptest::AppStation s;
  std::vector<std::string> calls;
  std::vector<std::string> menuIndexArgs;
  for (const char* name : {"DAJ_POUFNE", "INDEX_MENU", "ALERT_CRM", "PCRM", "INDEX"}) {
    s.station->rt.functions().add(name, [&calls, &menuIndexArgs, name](rt::Runtime&, rt::Args& a) {
      calls.push_back(name);
      if (std::string(name) == "INDEX_MENU") {
        for (std::size_t i = 0; i < a.size(); ++i) menuIndexArgs.push_back(a[i].text());
      }
      if (std::string(name) == "PCRM") {
        EXPECT_TRUE(a[0].logical());
      }
      return rt::Value::logical(true);
    });
  }
  loginAndLeave(s);
  EXPECT_EQ(s.run(), 1);
  // INDEX runs only after a representative's first run.
  EXPECT_EQ(calls, (std::vector<std::string>{"DAJ_POUFNE", "INDEX_MENU", "ALERT_CRM", "PCRM"}));
  EXPECT_EQ(menuIndexArgs, (std::vector<std::string>{"STANDARD", "DANE#01\\", "DANE#01"}));
}

TEST(MAIN, TheRepresentativesFirstRunAsksForTheNumberOnce) {
  apptest::AppStation first({"     ", 3});
  int rebuilds = 0;
  first.station->rt.functions().add("INDEX", [&rebuilds](rt::Runtime&, rt::Args&) {
    ++rebuilds;
    return rt::Value::logical(true);
  });
  first.script.type("3").key(kEnter);
  loginAndLeave(first);
  EXPECT_EQ(first.run(), 1);
  EXPECT_TRUE(first.wasShown("Podaj numer przedstawiciela handlowego :"));
  EXPECT_EQ(rebuilds, 1);
  const std::string folder = first.folder();
  EXPECT_EQ(apptest::firstRecordText(folder, "CONFIG", "KONTO_PH"), "00003");
  EXPECT_EQ(apptest::firstRecordText(folder, "CONFIG", "ARCH_1").substr(0, 48), "arj a ARC_PH03.ARJ *.db? *.mem lzap.exe" + std::string(9, ' '));
  EXPECT_EQ(apptest::firstRecordText(folder, "CONFIG", "ARCH_2").substr(0, 16), "dir ARC_PH03.ARJ");
  EXPECT_EQ(core::KONTO_PH_(first.station->rt), "00003");
  EXPECT_EQ(core::CKON_(first.station->rt), "D");

  apptest::AppStation second(first);
  int secondRebuilds = 0;
  second.station->rt.functions().add("INDEX", [&secondRebuilds](rt::Runtime&, rt::Args&) {
    ++secondRebuilds;
    return rt::Value::logical(true);
  });
  loginAndLeave(second);
  EXPECT_EQ(second.run(), 1);
  EXPECT_FALSE(second.wasShown("Podaj numer"));
  EXPECT_EQ(secondRebuilds, 0);
}

TEST(MAIN, TheRepresentativesAccountIsAddedOnceAndMadeActive) {
  apptest::AppStation s({"     ", 3});
  s.station->rt.functions().add("INDEX", [](rt::Runtime&, rt::Args&) { return rt::Value::logical(true); });
  s.script.type("2").key(kEnter);
  loginAndLeave(s);
  ASSERT_EQ(s.run(), 1);
  db::Workspace& ws = s.station->ws;
  auto area = ws.use(s.file("SL_KONT.DBF"), {});
  ASSERT_TRUE(area.has_value());
  int found = 0;
  for ((*area)->goTop(); !(*area)->eof(); (*area)->skip()) {
    if ((*area)->value(*(*area)->fieldIndex("KONTO")).text() != "00002") continue;
    ++found;
    EXPECT_EQ((*area)->value(*(*area)->fieldIndex("OPIS_KONTA")).text().substr(0, 5), "PH 02");
    EXPECT_EQ((*area)->value(*(*area)->fieldIndex("MAIL")).text().substr(0, 23), "handel-ph02@zelmoran.pl");
    EXPECT_EQ((*area)->value(*(*area)->fieldIndex("AKTYWNY")).text(), "T");
  }
  EXPECT_EQ(found, 1);
  ws.closeAll();
}

TEST(MAIN, ZeroIsRefusedAndEscAtTheRepresentativesNumberEndsTheRunChangingNothing) {
  apptest::AppStation s({"     ", 3});
  s.script.type("0").key(kEnter).key(kEsc);
  EXPECT_EQ(s.run(), 0);
  ASSERT_EQ(s.device.shown.size(), 3u);  // the question stays after 0 and Enter
  EXPECT_NE(s.device.shown.at(2).row(10).find("Podaj numer przedstawiciela handlowego :"), std::string::npos);
  EXPECT_EQ(apptest::firstRecordText(s.folder(), "CONFIG", "KONTO_PH"), "     ");
}

// Colour files under the scripted station, without the rest of the start-up.
struct Colours : apptest::AppStation {
  Colours() {
    core::declareProgramVars(station->rt);
    core::setStationFolder(station->rt);  // _KARTOTEKA is empty here: the folder "#01"
  }
  void writeMem(const std::string& path, std::vector<std::pair<const char*, const char*>> vars) {
    rt::mem::Image image;
    for (auto [name, value] : vars) image.variables.push_back(rt::mem::makeVariable(name, rt::Value::character(value)));
    ASSERT_TRUE(rt::mem::writeFile(path, rt::mem::encode(image)));
  }
  std::string var(const char* name) { return station->rt.vars().get(name).text(); }
};

TEST(ColourFiles, TheStationsSchemeWinsOverTheProgramFolders) {
  Colours s;
  fs::create_directory(s.file("#01"));
  s.writeMem(s.file("dorvik.mem"), {{"_EKRA_BLO", "R/N"}, {"_EDIT_BLO", "R/N"}, {"_SLOW_BLO", "R/N"}, {"_INNA", "z dorvik"}});
  s.writeMem(s.file("#01/ekran.mem"), {{"_EKRA_BLO", "G/N"}, {"_EDIT_BLO", "B/N"}, {"_SLOW_BLO", "GR/N"}});
  app::restoreColourFiles(*s.station);
  EXPECT_EQ(s.var("_EKRA_BLO"), "G/N");
  EXPECT_EQ(s.var("_EDIT_BLO"), "B/N");
  EXPECT_EQ(s.var("_SLOW_BLO"), "GR/N");
  EXPECT_EQ(s.var("_INNA"), "z dorvik");  // the program folder's other variables still come
}

TEST(ColourFiles, WithoutTheStationsFileTheProgramFoldersSchemeIsUsed) {
  Colours s;
  s.writeMem(s.file("dorvik.mem"), {{"_EKRA_BLO", "R/N"}, {"_EDIT_BLO", "R/B"}, {"_SLOW_BLO", "R/G"}});
  app::restoreColourFiles(*s.station);
  EXPECT_EQ(s.var("_EKRA_BLO"), "R/N");
  EXPECT_EQ(s.var("_SLOW_BLO"), "R/G");
}

TEST(ColourFiles, AMalformedFileLeavesTheColoursAsTheyWere) {
  Colours s;
  std::ofstream(s.file("dorvik.mem"), std::ios::binary) << std::string(40, 'x');
  app::restoreColourFiles(*s.station);
  EXPECT_EQ(s.var("_EKRA_BLO"), "W/N, N/W, N/N");
}

}  // namespace

namespace {

TEST(TEST_WEJ, AFileLeftByAnEndedRunIsTakenOverAndRewritten) {
  apptest::AppStation s;
  std::ofstream(s.file("DANE#01/FLAGA")) << "XYZ 01.01.20 08:00 and more";
  // Read while the run stands in the main menu.
  std::string during;
  s.station->rt.functions().add("PCRM", [&](rt::Runtime&, rt::Args&) {
    during = testkit::readFile(s.file("DANE#01/FLAGA"));
    return rt::Value::logical(true);
  });
  loginAndLeave(s);
  EXPECT_EQ(s.run(), 1);
  EXPECT_EQ(during, "ADM 05.03.24 10:00");  // the scripted clock's date and time
  EXPECT_FALSE(fs::exists(s.file("DANE#01/FLAGA")));
}

TEST(TEST_WEJ, ASecondRunIsRefusedAndItsFailedLoginLeavesTheHoldersFile) {
  apptest::AppStation first;
  std::string refusedRun;
  int secondCode = -1;
  bool secondShowedBusy = false;
  first.station->rt.functions().add("PCRM", [&](rt::Runtime&, rt::Args&) {
    // The first run holds the station: a second run logs in and is refused ...
    apptest::AppStation second(first);
    second.script.type("OPER01").key(kEnter).key(kEnter);
    secondCode = second.run();
    secondShowedBusy = second.wasShown("Katalog roboczy 01 zajety.") && second.wasShown("Operator : ADM 05.03.24 10:00");
    // ... and a third one that fails its login does not delete the holder's file.
    apptest::AppStation third(first);
    for (int i = 0; i < 3; ++i) third.script.type("ZLE").key(kEnter).waitSeconds(2.5);
    EXPECT_EQ(third.run(), 0);
    refusedRun = testkit::readFile(first.file("DANE#01/FLAGA"));
    return rt::Value::logical(true);
  });
  loginAndLeave(first);
  EXPECT_EQ(first.run(), 1);
  EXPECT_EQ(secondCode, 0);
  EXPECT_TRUE(secondShowedBusy);
  EXPECT_EQ(refusedRun, "ADM 05.03.24 10:00");
}

TEST(TEST_WEJ, TheRegistrationTextIsOperatorDateAndTime) {
  EXPECT_EQ(app::registrationText("ADM", 2024, 3, 5, 9, 7), "ADM 05.03.24 09:07");
  EXPECT_EQ(app::registrationText("(C)", 2000, 12, 31, 23, 59), "(C) 31.12.00 23:59");
}

}  // namespace

namespace {

TEST(MAIN, AChangeOfOperatorThatFailsItsLoginStartsTheRunOver) {
  apptest::AppStation s;
  s.script.type("ADMIN1").key(kEnter).key(con::key::function(11)).key(kEnter);
  for (int i = 0; i < 3; ++i) s.script.type("ZLE").key(kEnter).waitSeconds(2.5);
  s.script.type("OPER01").key(kEnter).key(kEsc).key(kEnter);  // the start-up's login again
  EXPECT_EQ(s.run(), 2);
  EXPECT_TRUE(s.script.scriptDone());
  EXPECT_FALSE(fs::exists(s.file("DANE#01/FLAGA")));
}

}  // namespace
