// DRUK_PLI, the stored printouts, on the scripted screen, and DRUKUJ_PLIK.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "con/key_codes.hpp"
#include "print/druk_pli.hpp"
#include "print/filebrowse.hpp"
#include "print/print_fixture.hpp"

namespace {

using con::key::kEnter;
using con::key::kEsc;
using con::key::kRight;

void write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(DRUK_PLI, AFolderHoldingOnlyWorkingFilesHasNothingToShow) {
  printtest::PrintStation s;
  write(s.station("STOP.PRN"), "x\r\n");
  write(s.station("nag.prn"), "x\r\n");
  s.script.key(kEnter);
  print::DRUK_PLI(s.ctx);
  EXPECT_TRUE(s.wasShown(12, "Brak zapamiętanych plików !"));
  EXPECT_TRUE(s.wasShown(0, "█▓▓▒▒░░  PRZEGLĄDANIE I WYDRUK ZAPAMIĘTANYCH PLIKÓW ░░▒▒▓▓█"));
}

TEST(DRUK_PLI, DeletingTheLastFileReturnsToAnEmptyListAndLeavesNoWorkTable) {
  printtest::PrintStation s;
  write(s.station("RAPORT.PRN"), "pierwsza linia\r\ndruga linia\r\n");
  s.script.key(kEnter)                                   // the list: the only file
      .key(kEsc)                                         // out of the viewer
      .key(kRight).key(kRight).key(kRight).key(kEnter)   // SKASOWANIE PLIKU
      .type("T")                                         // yes
      .key(kEnter);                                      // "Brak zapamiętanych plików !"
  print::DRUK_PLI(s.ctx);
  EXPECT_TRUE(s.wasShown(1, "Plik : "));
  EXPECT_TRUE(s.wasShown(2, "pierwsza linia"));
  EXPECT_TRUE(s.wasShown(24, "ALT_F - wyszukiwanie tekstu, ALT_R - kontynuacja"));
  EXPECT_TRUE(s.wasShown(24, "LPT1  LPT2  LPT3  SKASOWANIE PLIKU  NASTĘPNY  KONIEC"));
  EXPECT_FALSE(std::filesystem::exists(s.station("RAPORT.PRN")));
  EXPECT_TRUE(s.wasShown(12, "Brak zapamiętanych plików !"));
  for (const char* f : {"PLIKI.DBF", "PLIKI_N.NTX", "PLIKI_D.NTX"}) EXPECT_FALSE(std::filesystem::exists(s.station(f))) << f;
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(DRUK_PLI, AStoredFileIsPrintedOnAPortOnceUpToItsEndOrItsEndMark) {
  struct Case {
    std::string stored, printed;
  };
  const Case cases[] = {{"linia 1\r\nlinia 2", "linia 1\r\nlinia 2\r\n"},
                        {"linia 1\r\nlinia 2\r\n\x1A" "śmieci", "linia 1\r\nlinia 2\r\n"}};
  for (const Case& k : cases) {
    printtest::PrintStation s;
    write(s.station("PORTY.TXT"), "LPT2 = " + s.station("lpt2.out") + "\n");
    write(s.station("lpt2.out"), "");
    write(s.station("A.PRN"), k.stored);
    s.script.key(kEnter).key(kEsc).key(kRight).key(kEnter)  // the file; the viewer; LPT2
        .key(kEsc);                                          // the bar again: leave
    print::DRUK_PLI(s.ctx);
    EXPECT_EQ(s.read(s.station("lpt2.out")), k.printed);
  }
}

TEST(FILEBROWSE, FindsATextCountsItAndScrollsSideways) {
  printtest::PrintStation s;
  std::string text;
  for (int i = 1; i <= 40; ++i) text += "wiersz " + std::to_string(i) + (i % 10 == 0 ? " SZUKANY" : "") + "\r\n";
  text += std::string(100, 'x') + "KONIEC\r\n";
  write(s.station("B.PRN"), text);
  const int altF = 289, altR = 275;
  s.script.key(altF).type("szukany").key(kEnter)  // finds line 10
      .key(altR).key(altR).key(altR)                // 20, 30, 40
      .key(altR).key(kEnter)                        // no more: the count
      .key(con::key::kEnd)                          // the last column
      .key(kEsc);
  ASSERT_TRUE(print::FILEBROWSE(s.ctx, s.station("B.PRN"), con::Rect{2, 0, 23, 79}));
  EXPECT_TRUE(s.wasShown(24, "Podaj szukany tekst:"));
  EXPECT_TRUE(s.wasShown(2, "wiersz 10 SZUKANY"));
  EXPECT_TRUE(s.wasShown(2, "wiersz 20 SZUKANY"));
  EXPECT_TRUE(s.wasShown(24, " Razem liczba wystąpień: 4 - Koniec szukania (naciśnij dowolny klawisz) "));
  EXPECT_NE(s.atRead(s.device.shown.size() - 1).row(23).find("xKONIEC"), std::string::npos);
}

}  // namespace
