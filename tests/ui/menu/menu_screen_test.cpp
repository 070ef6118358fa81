// The menu engine over small menu tables: the rights check and its refusals, the activity
// log of priority-9 entries, Esc and the closing entry, wrap-around and first-letter moves,
// submenus and the title stack, hidden and cut entries, the run's index, and the placeholder
// for commands not built yet.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "../table_fixture.hpp"
#include "ui/menu/menu.hpp"

namespace {

namespace key = con::key;
using uitest::MenuRow;

// Registers commands that record their calls and the title stack they ran under.
struct Commands {
  explicit Commands(uitest::TableStation& s) : s_(s) {}
  void add(const std::string& name) {
    s_.rt.functions().add(name, [this, name](rt::Runtime&, rt::Args&) {
      calls.push_back(name);
      std::vector<std::string> stack;
      for (const ui::Title& t : s_.ctx.titles) stack.push_back(rt::utf8FromCp852(t.text));
      titles.push_back(stack);
      return rt::Value();
    });
  }
  std::vector<std::string> calls;
  std::vector<std::vector<std::string>> titles;

 private:
  uitest::TableStation& s_;
};

struct Menu : ::testing::Test {
  uitest::TableStation s;
  Commands commands{s};

  Menu() {
    commands.add("CMD_A");
    commands.add("CMD_B");
  }
  // The list's row of entry i (0-based) on the main menu, and whether it is highlighted.
  static int mainRow(int i) { return 8 + i; }
  bool highlighted(const uitest::Shown& sh, int row, int col) const { return sh.attr(row, col) == "70"; }
};

TEST_F(Menu, RunsAnEntryOnlyForTheRightOperator) {
  struct Case {
    const char* what;
    int entryPriority;
    const char* condition;
    const char* operators;
    const char* op;
    int opPriority;
    const char* refusal;  // nullptr: the command runs
  };
  const Case cases[] = {
      {"priority too low, even when named", 5, "", "JAN", "JAN", 3, "Opcja niedostępna dla operatora JAN"},
      {"condition false at any priority", 1, ".F.", "", "JAN", 99, "Opcja niedostępna"},
      {"condition false beats the priority refusal", 7, "1 > 2", "", "JAN", 3, "Opcja niedostępna"},
      {"a condition that is not logical", 1, "'T'", "", "JAN", 5, "Opcja niedostępna"},
      {"a condition that does not compile", 1, "((", "", "JAN", 5, "Opcja niedostępna"},
      {"a condition that holds", 1, "_PRIORYTET >= 5", "", "JAN", 5, nullptr},
      {"named in the list", 2, "", "EWA, JAN", "JAN", 5, nullptr},
      {"not named in the list", 2, "", "EWA,ADAM", "JAN", 50, "Opcja niedostępna dla operatora JAN"},
      {"a part of a listed name is no name", 2, "", "JANINA,EWA", "JAN", 5, "Opcja niedostępna dla operatora JAN"},
      {"the service operator passes any list", 2, "", "EWA,ADAM", "(C)", 10, nullptr},
      {"the service name needs priority 10", 2, "", "EWA", "(C)", 9, "Opcja niedostępna dla operatora (C)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uitest::TableStation st;
    Commands cmds(st);
    cmds.add("CMD_A");
    st.makeMenu({{1, "Zamówienia", "CMD_A()", c.entryPriority, c.condition, c.operators}});
    st.logIn(c.op, c.opPriority);
    if (c.refusal) st.script.keys({key::kEnter, key::kEnter, key::kEsc, key::kEnter});
    else st.script.keys({key::kEnter, key::kEsc, key::kEnter});
    ui::MENU(st.ctx, 0);
    EXPECT_EQ(cmds.calls.size(), c.refusal ? 0u : 1u);
    if (c.refusal) {
      EXPECT_TRUE(st.everShown(c.refusal));
      if (std::string(c.refusal) == "Opcja niedostępna") {
        EXPECT_FALSE(st.everShown("dla operatora"));
      }
    }
    EXPECT_TRUE(st.script.scriptDone());
  }
}

TEST_F(Menu, LogsPriorityNineEntriesOfOperatorsBelowTen) {
  struct Case {
    int entryPriority, opPriority;
    bool logged;
  };
  const Case cases[] = {{9, 9, true}, {9, 12, false}, {8, 9, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.entryPriority << " by " << c.opPriority);
    uitest::TableStation st;
    Commands cmds(st);
    cmds.add("CMD_A");
    std::vector<std::string> log;
    st.rt.functions().add("INFO_LOG", [&log](rt::Runtime&, rt::Args& a) {
      log.push_back(rt::utf8FromCp852(a[0].text()));
      return rt::Value();
    });
    st.makeMenu({{1, "  Kasowanie archiwum ", "CMD_A()", c.entryPriority}});
    st.logIn("ADAM", c.opPriority);
    st.script.keys({key::kEnter, key::kEsc, key::kEnter});
    ui::MENU(st.ctx, 0);
    ASSERT_EQ(cmds.calls.size(), 1u);
    EXPECT_EQ(log, c.logged ? std::vector<std::string>{"Kasowanie archiwum"} : std::vector<std::string>{});
  }
}

TEST_F(Menu, EscOnTheMainMenuOnlyMovesToTheClosingEntry) {
  s.makeMenu({{1, "Zamówienia", "CMD_A()"}, {2, "Kontrahenci", "CMD_B()"}});
  s.script.keys({key::kEsc, key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  EXPECT_TRUE(commands.calls.empty());
  const uitest::Shown& first = s.atRead(0);
  EXPECT_EQ(first.at(mainRow(0), 4, 10), "Zamówienia");
  EXPECT_TRUE(highlighted(first, mainRow(0), 4));
  for (std::size_t read : {1u, 2u}) {
    const uitest::Shown& sh = s.atRead(read);
    EXPECT_EQ(sh.at(mainRow(2), 4, 12), "KONIEC PRACY");
    EXPECT_TRUE(highlighted(sh, mainRow(2), 4));
    EXPECT_FALSE(highlighted(sh, mainRow(0), 4));
  }
  // Leaving: a cleared screen, the cursor shown, the program title off the stack.
  EXPECT_EQ(s.now().row(8), std::string(80, ' '));
  EXPECT_EQ(s.now().cursor.shape, con::CursorShape::Normal);
  EXPECT_TRUE(s.ctx.titles.empty());
}

TEST_F(Menu, MainScreenShowsTheProgramTitleAndTheCompanyLine) {
  s.ctx.setPublic("_FIRMA_MENU", rt::Value::character(rt::cp852FromUtf8("  Hurtownia Łódź ")));
  s.makeMenu({{1, "Zamówienia", "CMD_A()"}});
  s.script.keys({key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  const uitest::Shown& sh = s.atRead(0);
  EXPECT_EQ(sh.at(5, 4, 36), std::string(14, ' ') + "ZELMORAN" + std::string(14, ' '));
  EXPECT_EQ(sh.at(6, 4, 37), std::string(11, ' ') + "Hurtownia Łódź" + std::string(12, ' '));
  EXPECT_EQ(sh.at(7, 4, 37), std::string(37, ' '));
  EXPECT_EQ(sh.at(8, 4, 36), "Zamówienia" + std::string(26, ' '));
  EXPECT_EQ(sh.at(9, 4, 12), "KONIEC PRACY");
  EXPECT_EQ(sh.cursor.shape, con::CursorShape::None);
}

TEST_F(Menu, ArrowsWrapAroundAndLettersMoveToTheNextEntryBeginningWithThem) {
  s.makeMenu({{1, "Kontrahenci", "CMD_A()"}, {2, "Zamówienia", "CMD_B()"}, {3, "Kasowanie", "CMD_A()"}});
  // Up on the first entry goes to the last (the closing entry), Down there back to the first;
  // "k" moves to the next entry beginning with it, then to the one after, wrapping.
  s.script.keys({key::kUp, key::kDown, 'k', 'k', 'z', key::kEnter, key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  EXPECT_TRUE(highlighted(s.atRead(1), mainRow(3), 4));   // after Up: KONIEC PRACY
  EXPECT_TRUE(highlighted(s.atRead(2), mainRow(0), 4));   // after Down: Kontrahenci
  EXPECT_TRUE(highlighted(s.atRead(3), mainRow(2), 4));   // "k": Kasowanie
  EXPECT_TRUE(highlighted(s.atRead(4), mainRow(3), 4));   // "k" again: KONIEC PRACY
  EXPECT_EQ(commands.calls, std::vector<std::string>{"CMD_B"});  // "z", Enter
}

TEST_F(Menu, SubmenuPushesTitlesAndComesBackToItsEntry) {
  s.makeMenu({{1, "Zamówienia", "CMD_A()"},
              {2, " Kartoteki ", "MENU(2)"},
              {20, "Towary", "CMD_A()"},
              {21, "Grupy towarów", "CMD_B()"}});
  // Down to "Kartoteki", into the submenu, Up there wraps to its last entry and runs it; Esc
  // goes back with "Kartoteki" still highlighted; Esc there moves to the closing entry.
  s.script.keys({key::kDown, key::kEnter, key::kUp, key::kEnter, key::kEsc, key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  ASSERT_EQ(commands.calls, std::vector<std::string>{"CMD_B"});
  EXPECT_EQ(commands.titles[0], (std::vector<std::string>{"ZELMORAN", "Kartoteki", "Grupy towarów"}));
  const uitest::Shown& sub = s.atRead(2);  // the submenu, first entry highlighted
  EXPECT_EQ(sub.at(7, 6, 36), std::string(13, ' ') + "Kartoteki" + std::string(14, ' '));
  EXPECT_EQ(sub.at(9, 6, 6), "Towary");
  EXPECT_TRUE(highlighted(sub, 9, 6));
  EXPECT_EQ(sub.at(10, 6, 13), "Grupy towarów");
  EXPECT_EQ(sub.at(6, 2, 3), "║ ╔");  // the nested window stands in the main one
  const uitest::Shown& back = s.atRead(5);
  EXPECT_TRUE(highlighted(back, mainRow(1), 4));
  EXPECT_TRUE(s.ctx.titles.empty());
}

TEST_F(Menu, CommandsWithoutARoutineShowThePlaceholderAndEmptyOnesBeep) {
  s.makeMenu({{1, "Eksport", "NIE_MA_TAKIEJ(1, 'x')"}, {2, "Import", ""}, {3, "Zestawienia", "CMD_A"}});
  s.script.keys({key::kEnter, key::kEnter, key::kDown, key::kEnter, key::kDown, key::kEnter, key::kEsc,
                 key::kEnter});
  ui::MENU(s.ctx, 0);
  EXPECT_TRUE(s.everShown("Opcja w opracowaniu"));
  ASSERT_FALSE(s.script.tones().empty());
  EXPECT_EQ(s.script.tones().back().hertz, 880);
  EXPECT_EQ(commands.calls, std::vector<std::string>{"CMD_A"});  // a bare routine name is a call
}

TEST_F(Menu, BlockedEntriesAreHiddenOnlyWhileTheSwitchIsSet) {
  for (bool stary : {false, true}) {
    SCOPED_TRACE(stary);
    uitest::TableStation st;
    st.ctx.setPublic("_STARY", rt::Value::logical(stary));
    MenuRow blocked{2, "Import", "CMD_A()"};
    blocked.blocked = "X";
    st.makeMenu({{1, "Eksport", "CMD_A()"}, blocked, {3, "Raporty", "CMD_A()"}});
    st.script.keys({key::kEsc, key::kEnter});
    ui::MENU(st.ctx, 0);
    const uitest::Shown& sh = st.atRead(0);
    EXPECT_EQ(sh.at(mainRow(1), 4, 7), stary ? "Raporty" : "Import ");
  }
}

TEST_F(Menu, ALevelHoldsAtMostNineEntries) {
  std::vector<MenuRow> rows;
  for (int code = 1; code <= 9; ++code) rows.push_back({code, "Główna " + std::to_string(code), "MENU(3)"});
  for (int code = 30; code <= 39; ++code) rows.push_back({code, "Pozycja " + std::to_string(code), "CMD_A()"});
  s.makeMenu(rows);
  s.script.keys({key::kDown, key::kDown, key::kEnter, key::kEsc, key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  const uitest::Shown& main = s.atRead(0);
  EXPECT_EQ(main.at(mainRow(7), 4, 8), "Główna 8");
  EXPECT_EQ(main.at(mainRow(8), 4, 12), "KONIEC PRACY");
  const uitest::Shown& sub = s.atRead(3);
  EXPECT_EQ(sub.at(9 + 8, 6, 10), "Pozycja 38");
  EXPECT_NE(sub.at(9 + 9, 6, 7), "Pozycja");
}

TEST_F(Menu, UsesTheStationsIndexWhenItExists) {
  s.makeMenu({{1, "Zamówienia", "CMD_A()", 3}, {2, "Konfiguracja", "CMD_B()", 9}});
  s.makeMenuIndex("DANE#01/", "PRIORYTET <= 5");
  s.script.keys({key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  EXPECT_EQ(s.atRead(0).at(mainRow(1), 4, 12), "KONIEC PRACY");
}

TEST_F(Menu, EntriesWhoseStampFailsAreUnavailable) {
  s.makeMenu({{1, "Zamówienia", "CMD_A()"}, {2, "Operatorzy", "CMD_B()"}});
  s.ctx.stampCheck = [](db::WorkArea& t) { return t.value(*t.fieldIndex("OPCJA")).num() != 2; };
  s.script.keys({key::kEnter, key::kDown, key::kEnter, key::kEnter, key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  EXPECT_EQ(commands.calls, std::vector<std::string>{"CMD_A"});
  EXPECT_TRUE(s.everShown("Opcja niedostępna"));
}

TEST_F(Menu, F11RunsTheChangeOfOperatorWhileTheListIsShown) {
  int changes = 0;
  s.rt.functions().add("ZMIANA_OPE", [&changes](rt::Runtime&, rt::Args&) {
    ++changes;
    return rt::Value();
  });
  s.makeMenu({{1, "Zamówienia", "CMD_A()"}});
  s.script.keys({key::function(11), key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(s.con.bindings().isBound(key::function(11)));
}

}  // namespace

namespace {

TEST_F(Menu, F1ShowsTheProgramsHelpOnTheMainMenuAndTheEntrysWhileItsCommandRuns) {
  s.makeHelp({{"PROG", "Pomoc programu"}, {"ZAM", "Pomoc zamówień"}});
  MenuRow orders{1, "Zamówienia", "CZEKAJ()"};
  orders.helpKey = "ZAM";
  s.makeMenu({orders});
  s.rt.functions().add("CZEKAJ", [this](rt::Runtime&, rt::Args&) {
    s.con.waitKey(con::KeyWait::forever(), {});
    return rt::Value();
  });
  // F1 and Esc on the main menu; Enter runs the command, which waits: F1, Esc, a key.
  s.script.keys({key::kF1, key::kEsc, key::kEnter, key::kF1, key::kEsc, 'x', key::kEsc, key::kEnter});
  ui::MENU(s.ctx, 0);
  EXPECT_EQ(s.atRead(1).row(23), "║Pomoc programu" + std::string(64, ' ') + "║");
  EXPECT_EQ(s.atRead(4).row(23), "║Pomoc zamówień" + std::string(64, ' ') + "║");
  EXPECT_EQ(s.atRead(2).rows, s.atRead(0).rows);  // the menu as it was, clock included
}

}  // namespace
