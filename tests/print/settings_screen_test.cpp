// The settings form of the print dialog: every entry's check, the destination rules of
// "Port/Plik:", and saving a report's settings beside the others.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "print/destination.hpp"
#include "print/print_fixture.hpp"
#include "print/settings.hpp"
#include "print/wydruk.hpp"

namespace {

using con::key::kDown;
using con::key::kEnter;
using con::key::kHome;
using con::key::kRight;

TEST(DRUKUJ, EachEntryOfTheSettingsFormRefusesAWrongValueAndTakesARightOne) {
  struct Case {
    int field;  // Down presses from the first entry
    const char* wrong;
    const char* right;
    int row;
    const char* shown;
  };
  const Case cases[] = {
      {0, "5", "3", 3, "Gęstość druku (1..4) : 3"},
      {1, "2", "1", 4, "Typ ramek (0 - proste, 1 - pełne): 1"},
      {6, "X", "E", 9, "Orientacja strony (P-Portret, E-pEjzaż): E"},
      {7, "X", "T", 10, "Podkreślenia   : T"},
      {8, "X", "T", 11, "Wydruk ciągły ? T"},
      {9, "X", "N", 12, "Kasowanie drukarki przed wydrukiem ? N"},
      {10, "27,A\r", "27,64\r", 13, "Dodatkowe kody drukarki : 27,64 "},
      {10, "256\r", "255\r", 13, "Dodatkowe kody drukarki : 255 "},
      {11, "EPSON", "HPPCL", 14, "Tryb drukarki :  HPPCL"},
      {12, "ISO", "MAZ", 15, "Konwersja : MAZ"},
      {13, "XYZ", "WIN", 15, "-> WIN"},
      {14, "STOP\r", "PDF \r", 16, "Port/Plik: PDF "},
      {14, "NAGLOWEK\r", "WIN     \r", 16, "Port/Plik: WIN "},
      {14, "A/B\r", "AB \r", 16, "Port/Plik: AB "},
      {14, "..\\X\r", "X   \r", 16, "Port/Plik: X "},
      {14, "LPT4\r", "LPT1\r", 16, "Port/Plik: LPT1 "},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.shown);
    printtest::PrintStation s;
    s.makeList(1);
    s.script.key(kRight).key(kEnter);  // DRUKARKA
    for (int i = 0; i < k.field; ++i) s.script.key(kDown);
    const auto typeText = [&](std::string_view t) {
      for (char ch : t) ch == '\r' ? (void)s.script.key(kEnter) : (void)s.script.type(std::string(1, ch));
    };
    constexpr int kCtrlY = 25;  // clears the entry from the cursor on
    s.script.key(kCtrlY);
    typeText(k.wrong);
    s.script.key(kHome).key(kCtrlY);
    typeText(k.right);
    s.script.key(con::key::kPgDn).key(kRight).key(kRight).key(kEnter);  // save the form; KONIEC
    print::WYDRUK(s.ctx, {"KON", "V1", 2, "LISTA", {}, {}, {}});
    EXPECT_TRUE(s.wasShown(k.row, k.shown));
    EXPECT_TRUE(std::find(s.script.tones().begin(), s.script.tones().end(), con::Tone{220, 3}) !=
                    s.script.tones().end() ||
                k.field != 14)
        << "a refused destination sounds 220 Hz";
  }
}

TEST(DRUKUJ, SavedSettingsBelongToTheirReportAndAreReadBackNextTime) {
  printtest::PrintStation s;
  s.makeList(1);
  s.script.key(kRight).key(kEnter).type("4");  // DRUKARKA; density 4
  for (int i = 0; i < 16; ++i) s.script.key(kDown);
  s.script.type("T").key(kRight).key(kRight).key(kEnter);  // save; KONIEC
  print::WYDRUK(s.ctx, {"KON", "V1", 7, "LISTA", {}, {}, {}});
  EXPECT_EQ(print::readSettings(s.ctx, 7).density, 4);
  EXPECT_EQ(print::readSettings(s.ctx, 2).density, 1) << "the other reports keep the standard settings";
  EXPECT_EQ(print::readSettings(s.ctx, 7).port, "RAPORT");
}

TEST(Destination, TheSevenRulesOfThePortEntry) {
  struct Case {
    const char* entry;
    bool accepted;
    print::Kind kind;
    const char* name;
  };
  const Case cases[] = {
      {"STOP", false, {}, ""},          {"nagl", false, {}, ""},
      {"LPT1", true, print::Kind::Port, "LPT1"},      {"lpt3", true, print::Kind::Port, "LPT3"},
      {"WIN", true, print::Kind::Windows, ""},        {"WIN:Biuro", true, print::Kind::Windows, "BIURO"},
      {"PDF", true, print::Kind::Pdf, ""},            {"PDF RAPORT", true, print::Kind::Pdf, "RAPORT"},
      {"PDF ../x", false, {}, ""},                    {"_EKSPORT", true, print::Kind::WindowsFile, "_EKSPORT"},
      {"\\\\SERWER\\HP", true, print::Kind::Share, "\\\\SERWER\\HP"},
      {"raport", true, print::Kind::File, "RAPORT"},  {"a b", false, {}, ""},
      {"a.b", false, {}, ""},                         {"/etc/passwd", false, {}, ""},
      {"C:\\X", false, {}, ""},                       {"$(rm)", false, {}, ""},
      {"CON", false, {}, ""},                         {"LPT4", false, {}, ""},
      {"", false, {}, ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.entry);
    const auto d = print::classify(k.entry);
    ASSERT_EQ(d.has_value(), k.accepted);
    if (!d) continue;
    EXPECT_EQ(d->kind, k.kind);
    EXPECT_EQ(d->name, k.name);
  }
}

}  // namespace
