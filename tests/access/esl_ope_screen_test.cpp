// ESL_OPE, the operators dictionary, on the scripted screen: passwords, incomplete records,
// stamps after a change of priority, and the login afterwards.
#include <gtest/gtest.h>

#include "access/admin_screens_fixture.hpp"
#include "access/esl_ope.hpp"
#include "access/operator.hpp"
#include "access/scramble.hpp"
#include "access/stamp.hpp"
#include "con/key_codes.hpp"
#include "db/work_area.hpp"

namespace {

using con::key::kDown;
using con::key::kEnter;
using con::key::kEsc;
using con::key::kRight;

// Operator 3's priority was raised after stamping (stamped as 9, stored as 99).
struct Dictionary : optest::AdminStation {
  Dictionary()
      : optest::AdminStation({{"ADM", "ADMIN1", 9, "Administrator", "", "", true},
                              {"OPE", "OPER01", 5, "Operator", "", "", true},
                              {"HAK", "HAKER1", 9, "Ktoś", "", "", true}}) {
    db::WorkArea* a = *ws.use(table(), {});
    a->goTo(3);
    EXPECT_TRUE(a->lockRecord());
    EXPECT_TRUE(a->replace("PRIORYTET", rt::Value::number(99)));
    ws.closeAll();
  }
  struct Row {
    std::string kod, password;
    int priority;
    bool verifies;
  };
  std::vector<Row> rows() {
    std::vector<Row> out;
    db::WorkArea* a = *ws.use(table(), {});
    for (std::uint32_t r = 1; r <= a->lastRec(); ++r) {
      a->goTo(r);
      std::string kod = a->value(*a->fieldIndex("KOD")).text();
      kod.erase(kod.find_last_not_of(' ') + 1);
      out.push_back({kod, operators::scramble(a->value(*a->fieldIndex("HASLO")).text()),
                     static_cast<int>(a->value(*a->fieldIndex("PRIORYTET")).num()), operators::verifiesStamp(*a)});
    }
    ws.closeAll();
    return out;
  }
  bool login(const char* typed) {
    script.type(typed).key(kEnter);
    return operators::OPERATOR(ctx, seams);
  }
};

TEST(ESL_OPE, ShowsTheOperatorsUnderItsTitleAndLeavesTheTablesClosed) {
  Dictionary s;
  s.script.key(kEsc);
  operators::ESL_OPE(s.ctx);
  EXPECT_EQ(s.atRead(0).row(0).find("█▓▓▒▒░░  EDYCJA SŁOWNIKA OPERATORÓW ░░▒▒▓▓█") != std::string::npos, true);
  EXPECT_TRUE(s.wasShown(3, "ADM") || s.wasShown(4, "ADM"));
  EXPECT_FALSE(s.wasShown(3, "ADMIN1"));
  EXPECT_EQ(s.ws.lowestFree(), 1);
  EXPECT_EQ(s.rows().size(), 3u);
}

TEST(ESL_OPE, APasswordOfAnotherOperatorIsRefused) {
  Dictionary s;
  // Row 2, password column: operator 1's password, the notice, then Esc out of the priority
  // cell that the edit moves on to, and out of the screen.
  s.script.key(kDown).key(kRight).key(kEnter).type("admin1").key(kEnter).key(kEnter).key(kEsc).key(kEsc);
  operators::ESL_OPE(s.ctx);
  EXPECT_TRUE(s.wasShown(12, "Błąd CRC. Wprowadź inne haslo."));
  EXPECT_EQ(s.rows()[1].password, "OPER01");
}

TEST(ESL_OPE, RecordsWithoutANameOrAPasswordAreRemovedOnLeaving) {
  Dictionary s;
  // Two rows appended at the end: one left without a name, one named but given no password.
  s.script.key(kDown).key(kDown).key(kDown).key(kEsc);
  s.script.key(kDown).type("NEW").key(kEnter).key(kEsc).key(kEsc).key(kEsc);
  operators::ESL_OPE(s.ctx);
  const auto rows = s.rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].kod, "HAK");
  s.script.type("oper01").key(kEnter);
  EXPECT_TRUE(operators::OPERATOR(s.ctx, s.seams)) << "the password order follows the packed table";
  EXPECT_EQ(s.ctx.text("_OPERATOR"), "OPE");
}

TEST(ESL_OPE, APriorityChangedOnTheScreenIsStampedButATamperedOneStaysRefused) {
  Dictionary s;
  // Row 2, priority column: " 7" over " 5"; the edit moves on to the full name, Esc leaves it.
  s.script.key(kDown).key(kRight).key(kRight).key(kEnter).type(" 7").key(kEnter).key(kEsc).key(kEsc);
  operators::ESL_OPE(s.ctx);
  const auto rows = s.rows();
  EXPECT_EQ(rows[1].priority, 7);
  EXPECT_TRUE(rows[1].verifies);
  EXPECT_FALSE(rows[2].verifies) << "visiting the screen does not bless a priority raised elsewhere";
  EXPECT_TRUE(s.login("oper01"));
  EXPECT_EQ(s.ctx.number("_PRIORYTET"), 7);
  s.script.type("haker1").key(kEnter).key(kEnter);  // the second Enter closes the tampering notice
  EXPECT_FALSE(operators::OPERATOR(s.ctx, s.seams));
}

TEST(ESL_OPE, ANewOperatorGetsAStampedPasswordTypedInLowerCase) {
  Dictionary s;
  s.script.key(kDown).key(kDown).key(kDown);                 // append
  s.script.type("NOW").key(kEnter);                          // name, then on to the password
  s.script.type("nowe12");                                   // six characters end the entry
  s.script.type(" 3").key(kEnter).key(kEsc).key(kEsc);       // priority, out of the full name, out
  operators::ESL_OPE(s.ctx);
  const auto rows = s.rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3].kod, "NOW");
  EXPECT_EQ(rows[3].password, "NOWE12");
  EXPECT_EQ(rows[3].priority, 3);
  EXPECT_TRUE(rows[3].verifies);
  EXPECT_TRUE(s.login("NOWE12"));
  EXPECT_EQ(s.ctx.text("_OPERATOR"), "NOW");
}

}  // namespace
