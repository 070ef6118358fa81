// Context help: the "SUFLER" window's geometry and restore, scrolling, no nesting under F1
// and Alt+F1 (nor Ctrl+W closing it), a missing topic or table.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "../table_fixture.hpp"
#include "ui/help/help.hpp"

namespace {

namespace key = con::key;
const int kAltF1 = key::function(1, key::Mod::Alt);

std::string numberedLines(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += (i > 1 ? "\r\n" : "") + std::string("Linia ") + std::to_string(i);
  return text;
}

std::string rep(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

std::string textRow(const std::string& line) { return "║" + line + std::string(78 - line.size(), ' ') + "║"; }

struct Help : ::testing::Test {
  uitest::TableStation s;
};

TEST_F(Help, AFiveLineTopicOpensAtRow18AndLeavesEverythingAsItWas) {
  s.makeHelp({{"INNY", "Inny temat"}, {"PROG", numberedLines(5)}});
  s.paintPattern();
  s.con.startClock(4, 70, 0x07);
  s.ws.select(3);
  const uitest::Shown before = s.now();
  const std::string colourBefore = s.con.colour();
  s.script.keys({key::kEsc});
  ui::HELP(s.ctx, "PROG  ", ui::HelpCall::HotKey);
  const uitest::Shown& sh = s.atRead(0);
  EXPECT_EQ(sh.row(17), before.row(17));
  EXPECT_EQ(sh.row(18), "╔" + rep("═", 36) + "SUFLER" + rep("═", 36) + "╗");
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(sh.row(18 + i), textRow("Linia " + std::to_string(i))) << i;
  EXPECT_EQ(sh.row(24), "╚" + rep("═", 21) + " Esc - wyjście   ↓ ↑ - przeglądanie " + rep("═", 21) + "╝");
  EXPECT_EQ(sh.at(24, 0, 1), "╚");
  EXPECT_EQ(sh.attr(20, 5), "07");  // the colour _EKRA_BLO
  EXPECT_EQ(sh.cursor.shape, con::CursorShape::None);
  const uitest::Shown after = s.now();
  EXPECT_EQ(after.rows, before.rows);
  EXPECT_EQ(after.attrs, before.attrs);
  EXPECT_EQ(after.cursor, before.cursor);
  EXPECT_EQ(s.con.colour(), colourBefore);
  EXPECT_EQ(s.ws.selected(), 3);
  EXPECT_TRUE(s.con.clockRunning());
}

TEST_F(Help, ShowsNothingAndWaitsForNoKeyWithoutATextToShow) {
  s.makeHelp({{"PROG", numberedLines(3)}});
  struct Case {
    const char* what;
    const char* topic;
    ui::HelpCall how;
  };
  const Case cases[] = {{"a topic the table lacks", "NIEMA", ui::HelpCall::HotKey},
                        {"no topic", "", ui::HelpCall::HotKey},
                        {"a direct call", "PROG", ui::HelpCall::Direct}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    s.paintPattern();
    const uitest::Shown before = s.now();
    ui::HELP(s.ctx, c.topic, c.how);
    EXPECT_TRUE(s.device.shown.empty());
    EXPECT_EQ(s.now().rows, before.rows);
    EXPECT_EQ(s.now().attrs, before.attrs);
    EXPECT_EQ(s.now().cursor, before.cursor);
  }
}

TEST_F(Help, AMissingTableIsReported) {
  s.script.keys({key::kEnter});
  ui::HELP(s.ctx, "PROG", ui::HelpCall::HotKey);
  EXPECT_TRUE(s.everShown("Brak zbioru help.dbf"));
}

TEST_F(Help, F1AndAltF1InsideHelpDoNothing) {
  s.makeHelp({{"PROG", numberedLines(5)}, {"CPEDIT", "Edycja list i formularzy"}});
  ui::bindHelpKeys(s.ctx);
  s.script.keys({key::kF1, key::kF1, kAltF1, key::kCtrlEnd, key::kEsc, kAltF1, key::kEsc, 'x'});
  EXPECT_EQ(s.con.waitKey(con::KeyWait::forever(), {}), 'x');
  // Reads: 0 the wait; 1 help on "PROG"; 2 after F1; 3 after Alt+F1; 4 after Ctrl+W; 5 the
  // wait again; 6 help on "CPEDIT"; 7 the wait again.
  ASSERT_EQ(s.device.shown.size(), 8u);
  EXPECT_EQ(s.atRead(1).row(19), textRow("Linia 1"));
  for (std::size_t read : {2u, 3u, 4u}) EXPECT_EQ(s.atRead(read).rows, s.atRead(1).rows) << read;
  EXPECT_EQ(s.atRead(5).rows, s.atRead(0).rows);
  EXPECT_EQ(s.atRead(6).row(23), textRow("Edycja list i formularzy"));
  EXPECT_TRUE(s.con.bindings().isBound(key::kF1));
  EXPECT_TRUE(s.con.bindings().isBound(kAltF1));
}

TEST_F(Help, ALongTopicFillsTheScreenAndScrolls) {
  s.makeHelp({{"PROG", numberedLines(30)}});
  s.script.keys({key::kDown, key::kEnd, key::kPgDn, key::kUp, key::kHome, key::kEsc});
  ui::HELP(s.ctx, "PROG", ui::HelpCall::HotKey);
  struct Step {
    std::size_t read;
    int firstLine;
  };
  const Step steps[] = {{0, 1}, {1, 2}, {2, 8}, {3, 8}, {4, 7}, {5, 1}};
  for (const Step& st : steps) {
    SCOPED_TRACE(st.read);
    const uitest::Shown& sh = s.atRead(st.read);
    EXPECT_EQ(sh.at(0, 37, 6), "SUFLER");
    EXPECT_EQ(sh.row(1), textRow("Linia " + std::to_string(st.firstLine)));
    EXPECT_EQ(sh.row(23), textRow("Linia " + std::to_string(st.firstLine + 22)));
  }
}

}  // namespace
