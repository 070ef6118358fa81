// WYDRUK and DRUKUJ on the scripted screen: a list printed to a ".prn" file of the station
// folder, its pages, and what happens when that file exists already.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "print/print_fixture.hpp"
#include "print/wydruk.hpp"
#include "rt/codepage.hpp"

namespace {

using con::key::kEnter;
using con::key::kEsc;
using con::key::kRight;
using rt::literals::operator""_pl;

print::ListPrint contractors() { return {"KON", "V1", 2, "SŁOWNIK KONTRAHENTÓW"_pl, {}, {}, {}}; }

std::size_t count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

TEST(WYDRUK, PrintsTheListToAPrnFileWithHeadingsPagesContinuationsAndTheEnd) {
  printtest::PrintStation s;
  s.makeList(25);
  s.script.key(kEnter);  // WYDRUK
  const print::PrintResult r = print::WYDRUK(s.ctx, contractors());
  EXPECT_TRUE(r.again);
  EXPECT_FALSE(r.stopped);
  EXPECT_TRUE(s.rt.vars().get("_NIEKONCZ").logical());
  const std::string prn = s.read(s.station("RAPORT.prn"));
  EXPECT_EQ(count(prn, "S\x9D" "OWNIK KONTRAHENT\xE0W"), 3u) << "the title heads each of the three pages";
  EXPECT_EQ(count(prn, "(cd.)"), 2u);
  EXPECT_EQ(count(prn, " - cd."), 2u);
  EXPECT_EQ(count(prn, "\f"), 3u) << "two page breaks and the form feed that ends the printout";
  for (const char* page : {"Strona   1", "Strona   2", "Strona   3"}) EXPECT_NE(prn.find(page), std::string::npos) << page;
  EXPECT_NE(prn.find("Data wydruku: 15.03.2016 10:30"), std::string::npos);
  EXPECT_NE(prn.find(rt::cp852FromUtf8("Lp  Numer Nazwa                          Miasto")), std::string::npos);
  EXPECT_NE(prn.find(rt::cp852FromUtf8("  1 00001 Zakład Łączności Źródło 1      Łódź")), std::string::npos);
  EXPECT_NE(prn.find(rt::cp852FromUtf8(" 25 00025 Zakład Łączności Źródło 25     Łódź")), std::string::npos);
  EXPECT_NE(prn.find("- koniec -"), std::string::npos);
  EXPECT_LT(prn.find(" 25 00025"), prn.find("- koniec -"));
  EXPECT_EQ(s.ws.current()->recno(), 1u) << "the list stands where it stood";
  EXPECT_EQ(s.ws.selected(), 1);
}

TEST(WYDRUK, KONIECLeavesWithoutPrintingAndEndsTheLoop) {
  printtest::PrintStation s;
  s.makeList(3);
  s.script.key(kRight).key(kRight).key(kEnter);  // KONIEC
  const print::PrintResult r = print::WYDRUK(s.ctx, contractors());
  EXPECT_FALSE(r.again);
  EXPECT_FALSE(std::filesystem::exists(s.station("RAPORT.prn")));
  EXPECT_FALSE(s.rt.vars().get("_NIEKONCZ").logical());
}

TEST(WYDRUK, AnExistingPrintFileIsAppendedToOverwrittenOrRenamed) {
  struct Case {
    int item;  // 1 append, 2 overwrite, 3 another name
    bool keepsOld, hasNew;
  };
  const Case cases[] = {{1, true, true}, {2, false, true}, {3, true, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.item);
    printtest::PrintStation s;
    s.makeList(2);
    {
      std::ofstream old(s.station("RAPORT.prn"), std::ios::binary);
      old << "STARY WYDRUK\r\n";
    }
    s.script.key(kEnter);  // WYDRUK: the file exists, the question on row 24
    for (int i = 1; i < k.item; ++i) s.script.key(kRight);
    s.script.key(kEnter);
    if (k.item == 3) s.script.key(kRight).key(kRight).key(kEnter);  // back in the dialog: KONIEC
    print::WYDRUK(s.ctx, contractors());
    EXPECT_TRUE(s.wasShown(24, "DOPISANIE DO RAPORT.PRN   SKASOWANIE RAPORT.PRN   ZMIANA NAZWY"));
    const std::string prn = s.read(s.station("RAPORT.prn"));
    EXPECT_EQ(prn.find("STARY WYDRUK") == 0, k.keepsOld);
    EXPECT_EQ(prn.find("- koniec -") != std::string::npos, k.hasNew);
    EXPECT_TRUE(std::find(s.script.tones().begin(), s.script.tones().end(), con::Tone{440, 3}) != s.script.tones().end());
  }
}

TEST(WYDRUK, AScreenKeyMissingFromEditIsReported) {
  printtest::PrintStation s;
  s.makeList(2);
  s.script.key(kEnter);
  print::ListPrint list = contractors();
  list.screen = "BRAK";
  const print::PrintResult r = print::WYDRUK(s.ctx, list);
  EXPECT_FALSE(r.again);
  EXPECT_TRUE(s.wasShownAnywhere("Błąd wewnętrzny - brak BAZY w kartotece EDIT"));
}

TEST(WYDRUK, ByNameTakesTheSameArgumentsAndReturnsTheFlagsByReference) {
  printtest::PrintStation s;
  s.makeList(2);
  s.script.key(kEnter);
  s.rt.vars().declarePublic("DALEJ");
  s.rt.vars().declarePublic("STOP");
  const rt::Value again = s.rt.evaluate(rt::cp852FromUtf8(
      "WYDRUK(\"KON\",\"V1\",2,\"LISTA\",{|| DEVPOS(PROW()+1,0), DEVOUT(\"Nagłówek strony\")},,,@DALEJ,@STOP)"));
  EXPECT_TRUE(again.logical());
  EXPECT_TRUE(s.rt.vars().get("DALEJ").logical());
  EXPECT_FALSE(s.rt.vars().get("STOP").logical());
  EXPECT_NE(s.read(s.station("RAPORT.prn")).find("Nag\x88\xA2wek strony"), std::string::npos);
}

}  // namespace

namespace {

TEST(DRUKUJ, ThePrintFileStartsWithTheModesSetUpCodesAndEndsAsTheSettingsSay) {
  struct Case {
    const char* mode;
    int density;
    bool reset;
    const char* orientation;
    const char* codes;  // the station's control codes, as USTAW_DRUK stores them
    const char* extra;
    int feed;
    std::string start, end;
  };
  const Case cases[] = {
      {"ESC/P", 1, true, "", "", "", 0, "\x1b@\x1bP\x12", "\f"},
      {"ESC/P", 4, false, "", "27,120/1", "27,48", 2, "\x1bx\x01\x1bP\x0f\x1b" "0", "- koniec -\r\n\r\n\r\n"},
      {"IBM", 3, false, "", "", "", 0, "\x0f", "\f"},
      {"HPPCL", 2, true, "E", "27,40", "", 1, "\x1b" "E\x1b(\x1b(s12H\x1b&l1O", "- koniec -\r\n\r\n"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.mode);
    printtest::PrintStation s;
    print::Settings settings = printtest::testSettings("KODY");
    settings.mode = k.mode;
    settings.density = k.density;
    settings.reset = k.reset;
    settings.orientation = k.orientation;
    settings.codes = k.codes;
    settings.extraCodes = k.extra;
    settings.feedAtEnd = k.feed;
    s.makeSettings(settings);
    s.makeList(2);
    s.script.key(kEnter);
    print::WYDRUK(s.ctx, contractors());
    const std::string prn = s.read(s.station("KODY.prn"));
    EXPECT_EQ(prn.substr(0, k.start.size()), k.start);
    ASSERT_GE(prn.size(), k.end.size());
    EXPECT_EQ(prn.substr(prn.size() - k.end.size()), k.end);
  }
}

}  // namespace
