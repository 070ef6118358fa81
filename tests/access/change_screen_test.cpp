// The change of operator (NOWY_OPE, ZMIANA_OPE), of one's own password (ZMIANA_HASLA), the
// special-password prompt HA and UNIK_OPE, on the scripted screen.
#include <gtest/gtest.h>

#include "access/ha.hpp"
#include "access/nowy_ope.hpp"
#include "access/operator_lookup.hpp"
#include "access/operators_fixture.hpp"
#include "access/scramble.hpp"
#include "access/stamp.hpp"
#include "access/zmiana_hasla.hpp"
#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"

namespace {

using con::key::kEnter;
using con::key::kEsc;
using con::key::kSpace;

struct Ended {
  int code;
};
struct BrokeOff {};

struct Desk : optest::OperatorsStation {
  Desk()
      : optest::OperatorsStation({{"ADM", "ADMIN1", 9, "Administrator", "", "", true},
                                  {"OPE", "OPER01", 5, "Operator", "", "", true},
                                  {"OPE", "OPER02", 5, "Drugi", "", "", true}}) {
    seams.endProgram = [](int code) { throw Ended{code}; };
    seams.releaseFlag = [this] { ++flagsReleased; };
    seams.breakToStart = [] { throw BrokeOff{}; };
    seams.logActivity = [this](std::string_view line) { log.emplace_back(line); };
    ctx.setPublic("_OPERATOR", rt::Value::character("ADM"));
    ctx.setPublic("_NR_OPE", rt::Value::number(1));
  }
  std::string storedPassword(std::uint32_t recno) {
    db::WorkArea* a = *ws.use(table(), {});
    a->goTo(recno);
    std::string s = operators::scramble(a->value(*a->fieldIndex("HASLO")).text());
    const bool stamped = operators::verifiesStamp(*a);
    ws.closeAll();
    return stamped ? s : "unstamped";
  }
  operators::AccessSeams seams;
  int flagsReleased = 0;
  std::vector<std::string> log;
};

TEST(ZMIANA_OPE, TheIdleClockThenTheLoginOfANewOperator) {
  Desk s;
  s.con.write(5, 5, "MENU");
  s.script.waitSeconds(6).key(kSpace).type("oper01").key(kEnter).key(kEnter);  // Enter closes the notice
  operators::ZMIANA_OPE(s.ctx, s.seams);
  EXPECT_EQ(s.ctx.text("_OPERATOR"), "OPE");
  EXPECT_EQ(s.now().at(5, 5, 4), "MENU");  // the screen is back
  EXPECT_EQ(s.now().at(0, 76, 3), "OPE");
  // The clock was shown twice (once per five seconds without a key), then the login box.
  EXPECT_NE(s.atRead(0).rows[0].find_first_not_of(' '), 0u);
  int clocks = 0;
  for (int r = 2; r <= 18; ++r) clocks += s.atRead(0).row(r).find("10:00") != std::string::npos;
  EXPECT_EQ(clocks, 1);
  EXPECT_NE(s.device.shown.back().row(12).find("Nowy operator : OPE !"), std::string::npos);
  const auto& tones = s.script.tones();
  ASSERT_GE(tones.size(), 2u);
  EXPECT_EQ(tones.front(), (con::Tone{440, 2}));
  EXPECT_EQ(tones.back().hertz, 880);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.con.inkey(con::KeyWait::none()), kEsc);
}

TEST(ZMIANA_OPE, AFailedLoginReleasesTheFlagAndBreaksOffToStartUp) {
  Desk s;
  s.script.key(kEnter).key(kEsc);
  EXPECT_THROW(operators::ZMIANA_OPE(s.ctx, s.seams), BrokeOff);
  EXPECT_EQ(s.flagsReleased, 1);
  EXPECT_EQ(s.script.tones().back().hertz, 220);
}

TEST(ZMIANA_OPE, NothingHappensWhileTheOperatorsTableIsOpen) {
  Desk s;
  db::UseOptions o;
  o.alias = "SL_OPE";
  ASSERT_TRUE(s.ws.use(s.table(), o).has_value());
  operators::ZMIANA_OPE(s.ctx, s.seams);
  EXPECT_TRUE(s.device.shown.empty());
  EXPECT_EQ(s.script.tones().size(), 1u);
}

TEST(ZMIANA_HASLA, TheNewPasswordIsStoredScrambledAndAnotherOperatorsIsRefused) {
  Desk s;
  s.script.type("admin1").key(kEnter);
  s.script.type("OPER01").key(kEnter).key(kEnter);  // someone's password: refused, notice closed
  s.script.key(kEnter);                             // empty: asked again
  s.script.type("nowe12").key(kEnter);
  operators::ZMIANA_HASLA(s.ctx, s.seams);
  bool refused = false;
  for (const uitest::Shown& shown : s.device.shown) refused |= shown.row(12).find("Błąd CRC. Wprowadź inne haslo.") != std::string::npos;
  EXPECT_TRUE(refused);
  EXPECT_EQ(s.storedPassword(1), "NOWE12");
  EXPECT_EQ(s.storedPassword(2), "OPER01");
  EXPECT_EQ(s.atRead(0).at(0, 20, 40), "█▓▓▒▒░░  ZMIANA HASŁA OPERATORA  ░░▒▒▓▓█");
}

TEST(ZMIANA_HASLA, AWrongOldPasswordEndsTheProgramAndEscChangesNothing) {
  {
    Desk s;
    s.script.type("ZLE").key(kEnter).key(kEnter);
    EXPECT_THROW(operators::ZMIANA_HASLA(s.ctx, s.seams), Ended);
    EXPECT_EQ(s.flagsReleased, 1);
    EXPECT_NE(s.device.shown.back().row(12).find("Niewłaściwe hasło !"), std::string::npos);
  }
  {
    Desk s;
    s.script.type("ADMIN1").key(kEnter).type("NO").key(kEsc);
    operators::ZMIANA_HASLA(s.ctx, s.seams);
    EXPECT_EQ(s.storedPassword(1), "ADMIN1");
  }
}

TEST(HA, TheExpectedPasswordOrTheServiceCodeOfItsLevelIsAccepted) {
  // Service codes of 2024-03-05: "515756" (level 0), "382201" (above).
  struct Case {
    const char* typed;
    int level;
    bool accepted;
    bool logged;
  };
  const Case cases[] = {
      {"tajne1", 0, true, false}, {"515756", 0, true, false}, {"382201", 0, false, false},
      {"382201", 3, true, true},  {"tajne1", 2, true, false}, {"515756", 1, false, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.typed) + " level " + std::to_string(k.level));
    Desk s;
    s.con.write(21, 35, "XXXXXXXXXXXX");
    s.script.type(k.typed);  // six characters end the entry
    if (!k.accepted) s.script.key(kEnter);
    EXPECT_EQ(operators::HA(s.ctx, s.seams, "TAJNE1", false, k.level), k.accepted);
    EXPECT_EQ(s.log.size(), k.logged ? 1u : 0u);
    EXPECT_EQ(s.now().at(21, 35, 12), "XXXXXXXXXXXX");
    const uitest::Shown& box = s.atRead(1);
    EXPECT_EQ(box.attr(21, 37), "77");  // white on white: what is typed cannot be read
    if (k.level > 0) {
      EXPECT_EQ(box.at(21, 44, 2), " " + std::to_string(k.level));
    }
    if (!k.accepted) {
      EXPECT_NE(s.device.shown.back().row(12).find("Złe hasło !"), std::string::npos);
    }
  }
}

TEST(HA, SilentlyOnlyASlashOrADigitOpensTheEntry) {
  {
    Desk s;
    s.script.type("515756");
    EXPECT_TRUE(operators::HA(s.ctx, s.seams, "TAJNE1", true, 0));
    EXPECT_EQ(s.script.tones().front(), (con::Tone{800, 1}));
  }
  {
    Desk s;
    s.script.type("T");
    EXPECT_FALSE(operators::HA(s.ctx, s.seams, "TAJNE1", true, 0));
    EXPECT_TRUE(s.device.shown.size() == 1u);  // only the one-second wait; no notice
  }
}

TEST(UNIK_OPE, ANameHeldByAnotherRecordIsNotUnique) {
  Desk s;
  db::WorkArea* a = *s.ws.use(s.table(), {});
  for (std::uint32_t r : {1u, 2u, 3u}) {
    a->goTo(r);
    EXPECT_EQ(operators::UNIK_OPE(s.ctx), r == 1) << r;
    EXPECT_EQ(a->recno(), r);
  }
}

}  // namespace
