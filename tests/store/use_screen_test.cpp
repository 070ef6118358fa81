// tests/store/use_screen_test.cpp — _USE waiting for a table another station (a real
// process) holds: the notice, Esc in cancellable and in "!" modes, the emergency exit, and
// mode "F" against a record lock.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/use.hpp"
#include "store_testing.hpp"

namespace {

using rt::literals::operator""_pl;
using storetest::OtherStation;
using storetest::Station;

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// What rows 10 to 13 show from column 9 to 68 while a cancellable open of KON waits: the
// first line is 58 characters wide, so the frame spans columns INT((79 - 58) / 2) - 1 = 9
// to 10 + 58 = 68, and "Blokowany plik : KON" (20 characters) is centred in 58.
const std::vector<std::string> kCancellableNotice = {
    "╔" + repeat("═", 58) + "╗",
    "║ Oczekiwanie na dostęp do danych ...   <Esc> - rezygnacja ║",
    "║" + std::string(19, ' ') + "Blokowany plik : KON" + std::string(19, ' ') + "║",
    "╚" + repeat("═", 58) + "╝",
};

std::vector<std::string> noticeRows(const Station& st, int left, int width) {
  std::vector<std::string> rows;
  for (int r = 10; r <= 13; ++r) rows.push_back(st.row(r, left, width));
  return rows;
}

TEST(USE_Waiting, EscInACancellableModeGivesFalseWithTheScreenAsItWas) {
  Station st;
  st.makeTable("KON");
  OtherStation other(st.dir.path().string(), "KON", OtherStation::Hold::Exclusive);
  ASSERT_TRUE(other.ok());
  st.paintPattern();
  st.con.setColour("W+/B");
  const std::string colour = st.con.colour();
  const std::string before = st.script.text(), attrs = st.script.attributes();
  const std::string beforeOutside = st.row(10, 8, 1) + st.row(13, 69, 1);
  std::vector<std::string> shown;
  std::string outside;
  con::Attr noticeAttr = 0;
  st.onPass = [&](int pass) {
    if (pass < 3) return;  // two passes of one second without a key
    shown = noticeRows(st, 9, 60);
    outside = st.row(10, 8, 1) + st.row(13, 69, 1);
    noticeAttr = st.script.cell(11, 30).attr;
    st.con.pushKey(con::key::kEsc);
  };
  EXPECT_FALSE(store::USE_(st.tables, "KON", "S"));
  EXPECT_EQ(st.passes, 3);
  EXPECT_EQ(shown, kCancellableNotice);
  EXPECT_EQ(outside, beforeOutside);
  EXPECT_EQ(noticeAttr, 0x70);  // N/W: black on white
  EXPECT_EQ(st.script.text(), before);
  EXPECT_EQ(st.script.attributes(), attrs);
  EXPECT_EQ(st.con.colour(), colour);
  EXPECT_EQ(st.ws.current(), nullptr);
  EXPECT_GE(st.script.elapsed().count(), 2000);  // each pass waited its second for a key
}

TEST(USE_Waiting, AMissingTableWaitsLikeALockedOne) {
  Station st;
  st.onPass = [&](int) { st.con.pushKey(con::key::kEsc); };
  EXPECT_FALSE(store::USE_(st.tables, "BRAK", "R"));
  EXPECT_EQ(st.passes, 1);
  EXPECT_TRUE(st.errors.empty());
}

TEST(USE_Waiting, ANoCancelModeAsksAboutTheEmergencyExitAndWaitsOnWhenRefused) {
  Station st;
  st.makeTable("KON");
  auto other = std::make_unique<OtherStation>(st.dir.path().string(), "KON", OtherStation::Hold::Exclusive);
  ASSERT_TRUE(other->ok());
  st.paintPattern();
  const std::string before = st.script.text();
  std::string firstLine, redrawn;
  st.onPass = [&](int pass) {
    if (pass == 1) {
      firstLine = st.row(11, 20, 39);
      st.con.pushKey(con::key::kEsc);  // the operator answers no
    } else if (pass == 2) {
      redrawn = st.row(11, 20, 39);
      other->release();
    }
  };
  EXPECT_TRUE(store::USE_(st.tables, "KON", "E!"));
  // " Oczekiwanie na dostęp do danych ... " is 37 wide: the frame spans columns 20 to 58.
  EXPECT_EQ(firstLine, "║ Oczekiwanie na dostęp do danych ... ║");
  EXPECT_EQ(redrawn, firstLine);
  EXPECT_EQ(st.questions, std::vector<std::string>{"Awaryjne wyjście z programu ?"_pl});
  EXPECT_EQ(st.passes, 2);
  EXPECT_EQ(st.script.text(), before);
  ASSERT_NE(st.ws.current(), nullptr);
  EXPECT_EQ(st.ws.current()->table().share(), xbase::Share::Exclusive);
}

TEST(USE_Waiting, EmergencyExitNeedsBothTheAnswerAndTheServicePassword) {
  struct Case {
    bool yes, password, ends;
  };
  const Case cases[] = {{true, false, false}, {false, true, false}, {true, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.yes << c.password);
    Station st;
    st.makeTable("KON");
    st.makeTable("TOW");
    OtherStation other(st.dir.path().string(), "KON", OtherStation::Hold::Exclusive);
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(store::USE_(st.tables, "TOW", "S"));
    st.ws.select(0);
    st.answerYes = c.yes;
    st.passwordGiven = c.password;
    const int passesAllowed = 3;
    st.onPass = [&](int pass) {
      if (pass <= passesAllowed) return st.con.pushKey(con::key::kEsc);
      throw std::runtime_error("still waiting");
    };
    const int line = __LINE__ + 2;
    try {
      store::USE_(st.tables, "KON", "S!");
      FAIL() << "the open cannot succeed";
    } catch (const store::ProgramEnd&) {
      EXPECT_TRUE(c.ends);
      EXPECT_EQ(st.passes, 1);
      ASSERT_EQ(st.logged.size(), 1u);
      EXPECT_EQ(st.logged[0].text, "Blokada dostępu do zbioru KON."_pl);
      EXPECT_EQ(st.logged[0].where.line, line);
      EXPECT_EQ(st.logged[0].where.procedure, "TestBody");
      EXPECT_EQ(st.ws.find("TOW"), nullptr);  // every table closed
      EXPECT_EQ(st.script.text(), repeat(std::string(80, ' ') + "\n", 25));  // the screen cleared
    } catch (const std::runtime_error& e) {
      EXPECT_FALSE(c.ends) << e.what();
      EXPECT_EQ(st.passes, passesAllowed + 1);
      EXPECT_TRUE(st.logged.empty());
      EXPECT_NE(st.ws.find("TOW"), nullptr);
    }
  }
}

TEST(USE_Waiting, ModeFKeepsWaitingBehindARecordLockWithoutKeepingTheTableOpen) {
  Station st;
  st.makeTable("KON", 3);
  auto other = std::make_unique<OtherStation>(st.dir.path().string(), "KON", OtherStation::Hold::RecordLock);
  ASSERT_TRUE(other->ok());
  std::vector<bool> openBetween;
  st.onPass = [&](int pass) {
    openBetween.push_back(st.ws.current() != nullptr);
    if (pass == 4) other->release();
  };
  ASSERT_TRUE(store::USE_(st.tables, "KON", "F"));
  EXPECT_EQ(openBetween, std::vector<bool>(4, false));
  db::WorkArea* a = st.ws.current();
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(a->table().holdsFileLock());
}

}  // namespace
