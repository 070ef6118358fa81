// OPERATOR, the login by password, on the scripted screen over a small operators table.
#include <gtest/gtest.h>

#include "access/operator.hpp"
#include "access/operators_fixture.hpp"
#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"

namespace {

using con::key::kBackspace;
using con::key::kEnter;
using con::key::kEsc;
using namespace rt::literals;

// Operator 2 has a priority raised after stamping (stamped as 5, stored as 9).
struct Login : optest::OperatorsStation {
  Login()
      : optest::OperatorsStation({{"ADM", "ADMIN1", 9, "Administrator", "", "", true},
                                  {"OPE", "OPER01", 5, "Operator Jan", "X*", "07", true},
                                  {"HAK", "HAKER1", 9, "Ktoś", "", "", true}}) {
    db::WorkArea* a = *ws.use(table(), {});
    a->goTo(3);
    EXPECT_TRUE(a->lockRecord());
    EXPECT_TRUE(a->replace("PRIORYTET", rt::Value::number(99)));
    ws.closeAll();
    seams.endProgram = [](int code) { throw Ended{code}; };
  }
  struct Ended {
    int code;
  };
  bool login() { return operators::OPERATOR(ctx, seams); }
  std::string var(const char* name) const { return ctx.text(name); }
  double num(const char* name) const { return ctx.number(name); }
  operators::AccessSeams seams;
};

TEST(OPERATOR, ThePasswordIsTypedBlindInTheBoxAndFindsItsOperator) {
  struct Case {
    const char* typed;
    const char* code;
    double number, priority;
    const char* flags;
    bool purchasePrices;
  };
  const Case cases[] = {
      {"ADMIN1", "ADM", 1, 9, "  ", true},
      {"admin1", "ADM", 1, 9, "  ", true},       // lower case matches the upper-case password
      {"ADMIN1X", "ADM", 1, 9, "  ", true},      // the seventh character is cut off
      {"OPER0", "OPE", 2, 5, "X*", false},       // completed after a Backspace below
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    Login s;
    s.script.type(k.typed);
    if (std::string(k.typed) == "OPER0") s.script.type("9").key(kBackspace).type("1");
    s.script.key(kEnter);
    ASSERT_TRUE(s.login());
    EXPECT_EQ(s.var("_OPERATOR"), k.code);
    EXPECT_EQ(s.num("_NR_OPE"), k.number);
    EXPECT_EQ(s.num("_PRIORYTET"), k.priority);
    EXPECT_EQ(s.var("_BIERNY"), k.flags);
    EXPECT_EQ(s.ctx.rt.vars().get("_UDOCEZAK").logical(), k.purchasePrices);
    EXPECT_EQ(s.var("_KASA_OPE"), "01");  // desks are off without "K" at position 155 of _WERSJA
    // The box and the mask; nothing typed shows, only the cursor moves.
    const uitest::Shown& first = s.atRead(0);
    EXPECT_EQ(first.at(10, 35, 10), "╔════════╗");
    EXPECT_EQ(first.at(11, 35, 10), "║ ****** ║");
    EXPECT_EQ(first.cursor.col, 37);
    EXPECT_EQ(s.atRead(2).at(11, 35, 10), "║ ****** ║");
    EXPECT_EQ(s.atRead(2).cursor.col, 39);
  }
}

TEST(OPERATOR, TheDeskComesFromTheRecordWhenDesksAreOn) {
  Login s;
  s.ctx.setPublic("_WERSJA", rt::Value::character(std::string(154, ' ') + "K"));
  s.script.type("OPER01").key(kEnter);
  ASSERT_TRUE(s.login());
  EXPECT_EQ(s.var("_KASA_OPE"), "07");
  EXPECT_EQ(s.var("_NAZWISKO"), "Operator Jan        ");
}

TEST(OPERATOR, ThreeWrongPasswordsFailWithNumberedNotices) {
  Login s;
  for (int i = 0; i < 3; ++i) s.script.type("ZLE").key(kEnter).waitSeconds(2.5);
  EXPECT_FALSE(s.login());
  EXPECT_EQ(s.num("_NR_OPE"), 0);
  const auto& tones = s.script.tones();
  ASSERT_EQ(tones.size(), 3u);
  EXPECT_EQ(tones[0], (con::Tone{200, 5}));
  int notices = 0;
  for (const uitest::Shown& shown : s.device.shown) {
    if (shown.row(12).find("Złe hasło operatora ! (" + std::to_string(notices + 1) + ")") != std::string::npos)
      ++notices;
  }
  EXPECT_EQ(notices, 3);
}

TEST(OPERATOR, AWrongPasswordThenTheRightOneLogsIn) {
  Login s;
  s.script.type("ZLE").key(kEnter).waitSeconds(2.5).type("oper01").key(kEnter);
  EXPECT_TRUE(s.login());
  EXPECT_EQ(s.var("_OPERATOR"), "OPE");
}

TEST(OPERATOR, ARaisedPriorityWithoutANewStampIsRefusedAtOnce) {
  Login s;
  s.script.type("HAKER1").key(kEnter).key(kEnter);  // the second Enter closes the notice
  EXPECT_FALSE(s.login());
  EXPECT_EQ(s.num("_NR_OPE"), 0);
  EXPECT_TRUE(s.script.scriptDone());
  EXPECT_NE(s.device.shown.back().row(12).find("Niedozwolona ingerencja w hasła i priorytety !"), std::string::npos);
  EXPECT_NE(s.var("_OPERATOR"), "HAK");
}

// The codes of 2024-03-05 (the scripted clock's date): DDMMYY 050324; 50324 * 7919 =
// 398515756, 50324 * 104729 + 5 = 5270382201.
TEST(OPERATOR, AServiceCodeOfTheDayLogsInTheServiceOperator) {
  for (const char* code : {"515756", "382201"}) {
    SCOPED_TRACE(code);
    Login s;
    s.script.type(code).key(kEnter);
    ASSERT_TRUE(s.login());
    EXPECT_EQ(s.var("_OPERATOR"), "(C)");
    EXPECT_EQ(s.num("_PRIORYTET"), 10);
    EXPECT_EQ(s.var("_BIERNY"), "!");
    EXPECT_EQ(s.var("_KASA_OPE"), "01");
  }
}

TEST(OPERATOR, EscFailsAtOnceAndTenSecondsWithoutAKeyEndTheProgram) {
  {
    Login s;
    s.script.type("AD").key(kEsc);
    EXPECT_FALSE(s.login());
    EXPECT_TRUE(s.script.tones().empty());
  }
  {
    Login s;
    s.script.type("AD").waitSeconds(9.5).type("M").waitSeconds(10.5);
    try {
      s.login();
      ADD_FAILURE() << "the program did not end";
    } catch (const Login::Ended& e) {
      EXPECT_EQ(e.code, 0);
    }
    EXPECT_EQ(s.now().row(11).find_first_not_of(' '), std::string::npos);  // the screen was cleared
  }
}

TEST(DAJOPE, ShowsTheFirstThreeCharactersTopRight) {
  Login s;
  s.ctx.setPublic("_OPERATOR", rt::Value::character("KOWAL"));
  operators::DAJOPE(s.ctx);
  EXPECT_EQ(s.now().at(0, 76, 4), "KOW ");
}

}  // namespace
