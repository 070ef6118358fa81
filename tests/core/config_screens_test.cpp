// The configuration screens: CONFIG (the gate, the form's rules, what is saved and the
// variables read again) and USTAW_DRUK (its checks and the write of every print setting).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "con/key_codes.hpp"
#include "core/config/config_form.hpp"
#include "core/config/ustaw_druk.hpp"
#include "core/program_vars.hpp"
#include "core/routines_fixture.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"

namespace {

namespace fs = std::filesystem;
using namespace con::key;
using coretest::RoutinesStation;
using rt::Value;

constexpr int kCtrlY = 25;

std::string bytesOf(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

const std::vector<xbase::dbf::FieldSpec> kParadrukFields = {
    {"WARIANT", 'C', 10}, {"TRYB", 'C', 5}, {"PORT", 'C', 30}, {"KONWERSJA", 'C', 6}, {"KODY", 'C', 30}};

// A program folder with CONFIG, PARADRUK and the station folder DANE#01; an operator of
// priority 9 whose configuration password prompt answers `answer`.
struct ConfigStation : RoutinesStation {
  ConfigStation() {
    rt.settings().confirm = true;
    makeTable("PARADRUK", kParadrukFields, {{"FAKTURA", "IBM", "LPT1", "", ""}, {"ZAMOWIENIE", "IBM", "LPT1", "", ""}});
    fs::create_directory(dir / "DANE#01");
    rt.vars().set("NUMER_STAN", Value::character("01"));
    rt.vars().set("_PRIORYTET", Value::integer(9));
    rt.vars().set("_HASLO", Value::character("TAJNE1"));
    rt.functions().add("HA", [this](rt::Runtime&, rt::Args& a) {
      asked.push_back(a[0].text());
      return Value::logical(answer);
    });
  }
  // Field order of the form: KONTO_PH, FORMAT_IND, FORMAT_ILO, FORMAT_WAR, LEN_NAZ,
  // OPISY_TOW, LEN_OPI, GDZIE_KV, GDZIE_KON, GDZIE_DAN, STANOW_ZAM, MAIL_CE, MAIL_SE,
  // SERWIS, FTP2, KARTOTEKA, ARCH_1..ARCH_3.
  void makeConfig(const std::string& konto, const std::string& stanowZam = "01", const std::string& mail = "Biuro@Firma.PL") {
    makeTable("CONFIG",
              {{"KONTO_PH", 'C', 5},   {"FORMAT_IND", 'C', 20}, {"FORMAT_ILO", 'C', 20}, {"FORMAT_WAR", 'C', 20},
               {"LEN_NAZ", 'N', 2},    {"OPISY_TOW", 'C', 1},   {"LEN_OPI", 'N', 2},     {"GDZIE_KV", 'C', 40},
               {"GDZIE_KON", 'C', 40}, {"GDZIE_DAN", 'C', 40},  {"STANOW_ZAM", 'C', 2},  {"MAIL_CE", 'C', 40},
               {"MAIL_SE", 'C', 40},   {"SERWIS", 'C', 1},      {"FTP2", 'C', 1},        {"KARTOTEKA", 'C', 20},
               {"ARCH_1", 'C', 60},    {"ARCH_2", 'C', 60},     {"ARCH_3", 'C', 60},     {"HASLO", 'C', 6},
               {"FORMAT_CEN", 'C', 20}},
              {{konto, "@! 99999", "999.99", "99999.99", "40", "T", "30", " kv ", "kon\\firmy", "wymiana",
                stanowZam, "  " + mail + " ", "Serwis@Zelmoran.PL", "T", "N", "DANE", "tar cf a.tar *", "", "",
                "TAJNE1", "9999.99"}});
  }
  std::string configField(const char* name) {
    db::WorkArea& a = open("CONFIG");
    const std::string v = a.value(*a.fieldIndex(name)).text();
    ws.close(a.number());
    return v;
  }
  std::string var(const char* name) { return rt.vars().get(name).text(); }
  // Moves down to field `n` (0-based) of the form.
  void toField(int n) {
    for (int i = 0; i < n; ++i) script.key(kDown);
  }

  std::vector<std::string> asked;
  bool answer = true;
};

TEST(CONFIG, AnEmptyAccountIsSavedAsHeadOffice) {
  ConfigStation s;
  s.makeConfig("00003");
  s.script.keys({kCtrlY, kCtrlEnd});
  s.call("CONFIG");
  EXPECT_EQ(s.asked, std::vector<std::string>{"TAJNE1"});
  EXPECT_EQ(s.configField("KONTO_PH"), "00000");
  EXPECT_EQ(s.var("_KONTO_PH"), "00000");
  EXPECT_EQ(core::CKON_(s.rt), "A");  // the head office's letter
  EXPECT_TRUE(s.wasShown(0, "█▓▓▒▒░░  KONFIGURACJA PODSTAWOWA ░░▒▒▓▓█"));
  EXPECT_TRUE(s.wasShown(23, "Opcja dozwolona tylko przed wprowadzeniem danych użytkowych"));
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(CONFIG, AnOperatorBelowPriorityNineOrAWrongPasswordChangesNothing) {
  struct Case {
    int priority;
    bool answer;
    std::size_t asked;
  };
  for (const Case& k : {Case{5, true, 0}, Case{9, false, 1}}) {
    SCOPED_TRACE(k.priority);
    ConfigStation s;
    s.makeConfig("00003");
    s.rt.vars().set("_PRIORYTET", Value::integer(k.priority));
    s.answer = k.answer;
    s.rt.vars().set("_KONTO_PH", Value::character("00003"));
    const std::string before = bytesOf(s.dir / "CONFIG.DBF");
    s.script.keys({kEnter, kCtrlY, kCtrlEnd});  // the message, then keys a form would take
    s.call("CONFIG");
    EXPECT_TRUE(s.wasShown(12, "Brak uprawnień !"));
    EXPECT_EQ(s.asked.size(), k.asked);
    EXPECT_EQ(bytesOf(s.dir / "CONFIG.DBF"), before);
    EXPECT_EQ(s.var("_KONTO_PH"), "00003");
  }
}

TEST(CONFIG, TheAccountTakesNoBlanksAndAtMost25) {
  struct Case {
    const char* konto;
    bool valid;
  };
  for (const Case& k : {Case{"     ", true}, Case{"00000", true}, Case{"00025", true}, Case{"00026", false},
                        Case{"12   ", false}, Case{"  012", false}, Case{"0 012", false}}) {
    SCOPED_TRACE(k.konto);
    EXPECT_EQ(core::accountValid(k.konto), k.valid);
  }
}

TEST(CONFIG, TheFieldsRefuseWhatTheirRulesDoNotAllow) {
  struct Case {
    int field, row;
    const char* typed;
    bool refused;
  };
  for (const Case& k : {Case{0, 1, "00026", true}, Case{0, 1, "00025", false}, Case{5, 5, "N", true},
                        Case{13, 14, "X", true}, Case{14, 15, "X", true}, Case{14, 15, "t", false}}) {
    SCOPED_TRACE(k.typed);
    ConfigStation s;
    s.makeConfig("00003", "  ");
    s.toField(k.field);
    s.script.keys({kCtrlY});
    s.script.type(k.typed);
    s.script.keys({kEnter, kEsc});
    s.call("CONFIG");
    EXPECT_EQ(s.device.shown.back().cursor.row == k.row, k.refused);
  }
}

TEST(CONFIG, TheInvoicingStationIsZeroFilledAndNeedsItsPrintSettings) {
  for (bool present : {true, false}) {
    SCOPED_TRACE(present);
    ConfigStation s;
    s.makeConfig("00003", "  ");
    s.toField(7);  // GDZIE_KV, typed with a closing backslash
    s.script.keys({kCtrlY});
    s.script.type("kv\\");
    s.script.keys({kEnter, kEnter, kEnter});
    if (present) {
      fs::create_directory(s.dir / "KV#07");
      std::ofstream(s.dir / "KV#07" / "PARADRUK.DBF") << "x";
    }
    s.script.type("7");
    s.script.keys({kEnter, kCtrlEnd, kEsc});
    s.call("CONFIG");
    EXPECT_EQ(s.configField("STANOW_ZAM"), present ? "07" : "  ");
    EXPECT_EQ(s.var("_ST_ZAM"), present ? "07" : "01");
    if (!present) {
      // Refused: the focus stayed on the field, zero-filled, until Esc.
      const uitest::Shown& last = s.device.shown.back();
      EXPECT_EQ(last.cursor.row, 11);
      EXPECT_EQ(last.at(11, 28, 2), "07");
    }
  }
}

TEST(CONFIG, TheVariablesAreReadAgainAndANewStationFolderGetsItsPrintSettings) {
  ConfigStation s;
  s.makeConfig("00003", "2 ");
  fs::create_directory(s.dir / "NOWE#01");
  fs::create_directory(s.dir / "KV#02");
  std::ofstream(s.dir / "KV#02" / "PARADRUK.DBF") << "x";
  s.toField(15);
  s.script.keys({kCtrlY});
  s.script.type("nowe");
  s.script.keys({kCtrlEnd});
  s.call("CONFIG");
  EXPECT_EQ(s.configField("KARTOTEKA"), "NOWE                ");
  EXPECT_EQ(s.configField("STANOW_ZAM"), "02");  // untouched in the form, stored as two digits
  EXPECT_EQ(s.var("_KARTOTEKA"), "NOWE");
  EXPECT_EQ(core::SC_(s.rt), "NOWE#01\\");
  EXPECT_EQ(s.var("_ST_ZAM"), "02");
  EXPECT_EQ(s.var("_MAIL_CE"), "biuro@firma.pl");
  EXPECT_EQ(s.var("_MAIL_SE"), "serwis@zelmoran.pl");
  EXPECT_EQ(s.var("_GDZIE_KV"), "KV");
  EXPECT_EQ(s.var("_GDZIE_KON"), "KON\\FIRMY");
  EXPECT_EQ(s.var("_FORMAT_IND"), "@! 99999");
  EXPECT_EQ(s.var("_FORMAT_ILO"), "999.99");
  EXPECT_EQ(s.var("_FORMAT_WAR"), "99999.99");
  EXPECT_EQ(s.var("_FORFAK_ILO"), "999.99");  // no field of its own: the format
  EXPECT_EQ(s.var("_FORFAK_CEN"), "9999.99");
  EXPECT_EQ(s.var("_OPISY_TOW"), "T");
  EXPECT_EQ(s.rt.vars().get("_LEN_NAZ").num(), 40);
  EXPECT_FALSE(s.rt.vars().get("_TMP_FTP").logical());
  EXPECT_TRUE(fs::exists(s.dir / "NOWE#01" / "PARADRUK.DBF"));
  EXPECT_TRUE(fs::exists(s.dir / "NOWE#01" / "PARADRUK.NTX"));
  EXPECT_FALSE(fs::exists(s.dir / "DANE#01" / "PARADRUK.DBF"));
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(CONFIG, AStationFolderThatIsNotThereIsReportedAfterSaving) {
  ConfigStation s;
  s.makeConfig("00003", "  ");
  s.toField(15);
  s.script.keys({kCtrlY});
  s.script.type("brak");
  s.script.keys({kCtrlEnd, kEnter});
  s.call("CONFIG");
  EXPECT_EQ(s.configField("KARTOTEKA"), "BRAK                ");
  EXPECT_EQ(core::SC_(s.rt), "BRAK#01\\");
  EXPECT_TRUE(s.wasShown(12, "Uwaga! Błędna konfiguracja programu. Brak kartoteki BRAK#01"));
  EXPECT_FALSE(fs::exists(s.dir / "BRAK#01"));
}

TEST(CONFIG, EscLeavesTheTableAsItWas) {
  ConfigStation s;
  s.makeConfig("     ", "7 ");
  const std::string before = bytesOf(s.dir / "CONFIG.DBF");
  s.script.type("00012");
  s.script.keys({kEnter});
  s.script.type("xyz");
  s.script.keys({kEsc});
  s.call("CONFIG");
  EXPECT_EQ(bytesOf(s.dir / "CONFIG.DBF"), before);
  // The variables still see the account and station as a saved form would leave them.
  EXPECT_EQ(s.var("_KONTO_PH"), "00000");
  EXPECT_EQ(s.var("_ST_ZAM"), "07");
}

TEST(PrintSettings, OnlyKnownModesPortsConversionsAndWellFormedCodesAreValid) {
  struct Case {
    core::PrintSettings in;
    bool valid;
  };
  const auto p = [](const char* mode, const char* port, const char* from, const char* to, const char* codes) {
    return core::PrintSettings{mode, port, from, to, codes};
  };
  const Case cases[] = {
      {p("IBM  ", "LPT1", "   ", "   ", ""), true},          // no conversion
      {p("ESC/P", "LPT9", "MAZ", "STD", "27,64"), true},
      {p("HPPCL", "LPT2", "LAT", "MAZ", "27/40,15"), true},
      {p("IBM  ", "LPT1", "MAZ", "   ", "  12  "), true},    // second code blank; codes trimmed
      {p("IBM  ", "LPT1", "LAT", "LAT", ""), false},         // a conversion to itself
      {p("IBM  ", "LPT1", "STD", "MAZ", ""), false},         // STD only as the target
      {p("IBM  ", "LPT1", "   ", "MAZ", ""), false},         // a target without a source
      {p("IBM  ", "LPT1", "MAZ", "XYZ", ""), false},
      {p("IBM  ", "LPT1", "   ", "   ", ",27"), false},
      {p("IBM  ", "LPT1", "   ", "   ", "/27"), false},
      {p("IBM  ", "LPT1", "   ", "   ", "27/"), false},
      {p("IBM  ", "LPT1", "   ", "   ", "27,"), false},
      {p("IBM  ", "LPT1", "   ", "   ", "27 64"), false},   // a blank inside
      {p("IBM  ", "LPT1", "   ", "   ", "1B"), false},
      {p("IBM  ", "LPT0", "   ", "   ", ""), false},
      {p("IBM  ", "COM1", "   ", "   ", ""), false},
      {p("IBM  ", "    ", "   ", "   ", ""), false},
      {p("EPSON", "LPT1", "   ", "   ", ""), false},
      {p("     ", "LPT1", "   ", "   ", ""), false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.in.mode + "|" + k.in.port + "|" + k.in.from + "->" + k.in.to + "|" + k.in.codes);
    EXPECT_EQ(core::printSettingsValid(k.in), k.valid);
  }
}

struct PrinterStation : ConfigStation {
  PrinterStation() {
    rt.vars().set("_KARTOTEKA", Value::character("DANE"));
    core::setStationFolder(rt);
  }
  std::vector<std::string> records(const std::string& table) {
    std::vector<std::string> out;
    db::WorkArea& a = open(table);
    for (a.goTop(); !a.eof(); a.skip())
      out.push_back(a.value(1).text() + "|" + a.value(2).text() + "|" + a.value(3).text() + "|" + a.value(4).text());
    ws.close(a.number());
    return out;
  }
};

TEST(USTAW_DRUK, WrongInputIsShownAgainWithWhatWasTypedThenEveryRecordIsWritten) {
  for (bool ownCopy : {true, false}) {
    SCOPED_TRACE(ownCopy);
    PrinterStation s;
    if (ownCopy) fs::copy_file(s.dir / "PARADRUK.DBF", s.dir / "DANE#01" / "PARADRUK.DBF");
    const std::string programCopy = bytesOf(s.dir / "PARADRUK.DBF");
    s.script.type("esc/p");
    s.script.keys({kEnter});
    s.script.type("lpt0");
    s.script.keys({kEnter});
    s.script.type("lat");
    s.script.keys({kEnter});
    s.script.type("lat");
    s.script.keys({kEnter});
    s.script.type("27,64");
    s.script.keys({kEnter});
    s.script.keys({kEnter});  // the message
    // The form again: the port and the second code corrected, the rest kept.
    s.script.keys({kDown, kCtrlY});
    s.script.type("lpt2");
    s.script.keys({kDown, kDown, kCtrlY});
    s.script.type("std");
    s.script.keys({kCtrlEnd});
    EXPECT_TRUE(s.call("USTAW_DRUK").logical());
    EXPECT_TRUE(s.wasShown(12, "PODANO BŁĘDNE PARAMETRY !"));
    const std::string written = "ESC/P|LPT2" + std::string(26, ' ') + "|LATSTD|27,64" + std::string(25, ' ');
    EXPECT_EQ(s.records("DANE#01/PARADRUK"), (std::vector<std::string>{written, written}));
    EXPECT_EQ(bytesOf(s.dir / "PARADRUK.DBF"), programCopy);
    EXPECT_EQ(s.ws.lowestFree(), 1);
  }
}

TEST(USTAW_DRUK, EscWritesNothing) {
  PrinterStation s;
  fs::copy_file(s.dir / "PARADRUK.DBF", s.dir / "DANE#01" / "PARADRUK.DBF");
  const std::string before = bytesOf(s.dir / "DANE#01" / "PARADRUK.DBF");
  s.script.type("ibm");
  s.script.keys({kEnter});
  s.script.type("lpt1");
  s.script.keys({kEsc});
  EXPECT_TRUE(s.call("USTAW_DRUK").logical());
  EXPECT_EQ(bytesOf(s.dir / "DANE#01" / "PARADRUK.DBF"), before);
}

}  // namespace
