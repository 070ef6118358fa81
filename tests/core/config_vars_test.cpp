// tests/core/config_vars_test.cpp — the program-wide variables read from the configuration
// record, with the defaults an older table without the newer fields gets.
#include <gtest/gtest.h>

#include <map>

#include "core/config_vars.hpp"
#include "core/program_vars.hpp"

namespace {

using Record = std::map<std::string, rt::Value, std::less<>>;

rt::Value c(const char* s) { return rt::Value::character(s); }

// The fields every configuration table has.
Record basicRecord() {
  Record r{
      {"KONTO_PH", c("00003")},       {"KARTOTEKA", c("DANE      ")}, {"WERSJA", c("NNNNNNNNNNNNMNNN")},
      {"FORMAT_IND", c("@R 99-999 ")}, {"FORMAT_ILO", c("999.99  ")},   {"FORMAT_CEN", c("9999.99 ")},
      {"FORMAT_WAR", c("99999.99 ")},  {"LEN_NAZ", rt::Value::number(40, 2, 0)},
      {"LEN_OPI", rt::Value::number(0, 2, 0)}, {"OPISY_TOW", c("T")}, {"OPAKOWANIA", c("N")},
      {"MAG_ZAM", c("01")},            {"LICZBA_STA", rt::Value::number(3, 2, 0)},
      {"FIRMA_MENU", c("  Hurtownia  ")}, {"HASLO", c("      ")}, {"CENY_1", c("B")}, {"CENY_2", c("N")},
      {"CENY_3", c(" ")},              {"CENNIK_SPR", c("1")},     {"MAIL_CE", c(" Biuro@Firma.PL ")},
      {"MAIL_SE", c("SERWIS@FIRMA.PL")}, {"SERWIS", c("T")},        {"FTP2", c("T")},
      {"GDZIE_KV", c(" c:\\kalvero\\ ")}, {"GDZIE_KON", c("c:\\kon\\")}, {"GDZIE_DAN", c("f:\\wymiana\\")},
  };
  const char* vat[] = {"23", " 8", " 5", "  ", "  ", "  ", "oo"};
  for (int i = 0; i < 7; ++i) r["VAT" + std::to_string(i + 1)] = c(vat[i]);
  return r;
}

class ConfigVars : public testing::Test {
 protected:
  ConfigVars() { core::declareProgramVars(rt); }
  void read(const Record& r) {
    core::readConfigVars(rt, [&r](std::string_view name) -> std::optional<rt::Value> {
      if (auto it = r.find(name); it != r.end()) return it->second;
      return std::nullopt;
    });
  }
  std::string var(const char* name) { return rt.vars().get(name).text(); }
  rt::Runtime rt;
};

TEST_F(ConfigVars, TakeTheFieldsTrimmedAndInTheirCase) {
  read(basicRecord());
  EXPECT_EQ(core::KONTO_PH_(rt), "00003");
  EXPECT_EQ(core::KARTOTEKA_(rt), "DANE");
  EXPECT_EQ(core::FORMAT_IND_(rt), "@R 99-999");
  EXPECT_EQ(core::FIRMA_MENU_(rt), "Hurtownia");
  EXPECT_EQ(core::MAIL_CE_(rt), "biuro@firma.pl");
  EXPECT_EQ(core::GDZIE_KV_(rt), "C:\\KALVERO\\");
  EXPECT_EQ(core::LICZBA_STA_(rt), 3);
  EXPECT_EQ(core::LEN_NAZ_(rt), 40);
  EXPECT_TRUE(core::TMP_FTP_(rt));
}

TEST_F(ConfigVars, DeriveTheDependentVariables) {
  read(basicRecord());
  EXPECT_EQ(core::CENA_1_(rt), "brutto");
  EXPECT_EQ(core::CENA_2_(rt), "netto");
  EXPECT_EQ(core::CENA_3_(rt), "netto");
  EXPECT_EQ(core::TYP_MAR_(rt), "M");  // character 13 of the variant string
  EXPECT_EQ(core::CKON_(rt), "D");     // representative 3
  EXPECT_EQ(core::VAT_(rt), "zw| 0|23| 8| 5|  |  |  |oo");
  EXPECT_EQ(core::FORFAK_WAR_(rt), "99999.99");
  EXPECT_TRUE(core::ZMIANA_I_(rt));  // the goods-code picture lacks 99999
  EXPECT_EQ(core::HASLO_(rt), core::kDefaultConfigPassword);
}

TEST_F(ConfigVars, AnOlderTableWithoutTheNewerFieldsGetsTheDefaults) {
  read(basicRecord());
  EXPECT_EQ(core::SERIA_FAK_(rt), "01");
  EXPECT_EQ(core::SERIA_PAR_(rt), "09");
  EXPECT_EQ(core::FORFAK_ILO_(rt), "999.99");  // the display picture stands in
  EXPECT_EQ(core::FORFAK_CEN_(rt), "9999.99");
  EXPECT_EQ(core::FORMAT_SWW_(rt), "########");
  EXPECT_EQ(core::ZNAKI_UPU_(rt), 0);
  EXPECT_EQ(core::ST_ZAM_(rt), "01");
  EXPECT_TRUE(core::STANY_(rt));
  EXPECT_EQ(core::FONT_PS_(rt), "Lucida Console");
  EXPECT_EQ(core::PL_(rt), " ");
  EXPECT_EQ(core::KONTA_CE_(rt), "");
  EXPECT_EQ(core::FIRMA_(rt), "");
  EXPECT_EQ(core::DOSTAWCY_(rt), "");
}

TEST_F(ConfigVars, NewerFieldsWinOverTheDefaults) {
  Record r = basicRecord();
  r["SERIA_FAK"] = c("05");
  r["SERIA_PAR"] = c("  ");  // blank: the default stays
  r["FORFAK_ILO"] = c("99.9 ");
  r["FORMAT_SWW"] = c("##.## ");
  r["STANOW_ZAM"] = c(" 7");
  r["STANY"] = c("N");
  r["FONT_PS"] = c("Courier New ");
  r["PL"] = c("M");
  r["KONTA_CE"] = c(" 00001,00002 ");
  r["HASLO"] = c("TAJNE1");
  r["FORMAT_IND"] = c("99999");
  read(r);
  EXPECT_EQ(core::SERIA_FAK_(rt), "05");
  EXPECT_EQ(core::SERIA_PAR_(rt), "09");
  EXPECT_EQ(core::FORFAK_ILO_(rt), "99.9");
  EXPECT_EQ(core::FORMAT_SWW_(rt), "##.##");
  EXPECT_EQ(core::ST_ZAM_(rt), "07");
  EXPECT_FALSE(core::STANY_(rt));
  EXPECT_EQ(core::FONT_PS_(rt), "Courier New");
  EXPECT_EQ(core::PL_(rt), "M");
  EXPECT_EQ(core::KONTA_CE_(rt), "00001,00002");
  EXPECT_EQ(core::HASLO_(rt), "TAJNE1");
  EXPECT_FALSE(core::ZMIANA_I_(rt));
}

TEST_F(ConfigVars, APolishLetterSetOutsideTheKnownOnesIsBlank) {
  for (const char* pl : {"X", "", "1"}) {
    SCOPED_TRACE(pl);
    Record r = basicRecord();
    r["PL"] = c(pl);
    read(r);
    EXPECT_EQ(core::PL_(rt), " ");
  }
}

}  // namespace
