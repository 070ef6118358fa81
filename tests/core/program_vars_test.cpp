// tests/core/program_vars_test.cpp — the program-wide variables: initial values seen by name
// and through the typed accessors, and the values derived from others.
#include <gtest/gtest.h>

#include "base/fault.hpp"
#include "core/program_vars.hpp"

namespace {

TEST(ProgramVars, StartWithTheirInitialValues) {
  rt::Runtime rt;
  core::declareProgramVars(rt);
  EXPECT_EQ(core::NUMER_STAN(rt), "01");
  EXPECT_EQ(core::WER(rt), "STANDARD");
  EXPECT_EQ(core::NAZWA_PRG_(rt), "ZELMORAN");
  EXPECT_EQ(core::OPERATOR_(rt), "OPE");
  EXPECT_EQ(core::NR_OPE_(rt), 0);
  EXPECT_EQ(core::DRU_DOK_(rt), std::string(15, ' '));
  EXPECT_EQ(core::NAZWISKO_(rt), std::string(22, ' '));
  EXPECT_TRUE(core::NOTY_(rt));
  EXPECT_TRUE(core::UDOCEZAK_(rt));
  EXPECT_FALSE(core::SZER_(rt));
  EXPECT_DOUBLE_EQ(core::MNOZNIK_(rt), 1.0);
  EXPECT_EQ(core::MAX_WZ_(rt), "9999:");
  EXPECT_EQ(core::EKRA_BLO_(rt), "W/N, N/W, N/N");
  EXPECT_EQ(core::EDIT_BLO_(rt), "W/N, N/W, N/N,,,,,W+/N");
  EXPECT_EQ(core::SERIA_FAK_(rt), "01");
  EXPECT_EQ(core::SERIA_PAR_(rt), "09");
  EXPECT_EQ(core::ST_ZAM_(rt), "01");
  EXPECT_EQ(core::FORMAT_SWW_(rt), "########");
  EXPECT_EQ(core::FONT_PS_(rt), "Lucida Console");
  EXPECT_EQ(core::CKON_(rt), "A");
  EXPECT_EQ(core::UWAGA_(rt), "A     ");
}

TEST(ProgramVars, AreVisibleByNameInAnyCase) {
  rt::Runtime rt;
  core::declareProgramVars(rt);
  EXPECT_EQ(rt.vars().get("_nazwa_prg").text(), "ZELMORAN");
  EXPECT_TRUE(rt.vars().get("APOLAVR").isArray());
  EXPECT_TRUE(rt.vars().get("_ftp_login").isText());  // an exchange setting, empty until read
  // Eleven-character names stay apart at the ten significant characters.
  rt.vars().set("_FORMAT_IND", rt::Value::character("@R 99-999"));
  rt.vars().set("_FORMAT_ILO", rt::Value::character("999.99"));
  EXPECT_EQ(core::FORMAT_IND_(rt), "@R 99-999");
  EXPECT_EQ(core::FORMAT_ILO_(rt), "999.99");
}

TEST(ProgramVars, AnAccessorOfAVariableOfAnotherTypeIsAFault) {
  rt::Runtime rt;
  core::declareProgramVars(rt);
  rt.vars().set("_SC", rt::Value::integer(1));
  EXPECT_THROW(core::SC_(rt), base::InternalFault);
}

TEST(ProgramVars, TheStationFolderIsThePrefixHashAndStation) {
  rt::Runtime rt;
  core::declareProgramVars(rt);
  rt.vars().set("_KARTOTEKA", rt::Value::character(" DANE  "));
  rt.vars().set("NUMER_STAN", rt::Value::character("07"));
  core::setStationFolder(rt);
  EXPECT_EQ(core::SCL_(rt), "DANE#07");
  EXPECT_EQ(core::SC_(rt), "DANE#07\\");
}

TEST(ProgramVars, TheStationNumberComesFromTheArgument) {
  struct Case { std::optional<std::string_view> argument; std::optional<std::string> station; };
  const Case cases[] = {
      {std::nullopt, "01"}, {"7", "07"}, {"12", "12"}, {"00", "00"},  // "00" is refused later, by the station count
      {"7a", std::nullopt}, {"123", std::nullopt}, {"a", std::nullopt}, {"", "01"}, {" 7", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument.value_or("(none)"));
    EXPECT_EQ(core::stationFromArgument(c.argument), c.station);
  }
}

TEST(ProgramVars, TheAccountLetterFollowsTheRepresentativeNumber) {
  struct Case { const char* konto; const char* letter; };
  const Case cases[] = {{"00000", "A"}, {"00001", "B"}, {"00025", "Z"}, {"", "A"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.konto);
    EXPECT_EQ(core::ckonOf(c.konto), c.letter);
  }
}

TEST(ProgramVars, TheVatChoiceListJoinsTheSevenRates) {
  rt::Runtime rt;
  core::declareProgramVars(rt);
  const char* rates[] = {"23", " 8", " 5", "", "", "", "oo"};
  for (int i = 0; i < 7; ++i) rt.vars().set("_VAT" + std::to_string(i + 1), rt::Value::character(rates[i]));
  EXPECT_EQ(core::vatChoicesOf(rt), "zw| 0|23| 8| 5||||oo");
}

}  // namespace
