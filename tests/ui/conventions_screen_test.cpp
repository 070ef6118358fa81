// The conventions every screen shares: the menu background, shadows, the progress bar,
// the Polish-letter keyboard, the insert mode and cursor shapes, the error beep.
#include <gtest/gtest.h>

#include <map>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "screen_fixture.hpp"
#include "ui/cien.hpp"
#include "ui/cursoron.hpp"
#include "ui/pasek.hpp"
#include "ui/polskie.hpp"
#include "ui/przygotuj_ekran.hpp"
#include "ui/push.hpp"

namespace {

using namespace rt::literals;

std::string rep(std::string_view s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

const std::string kFill = "░";
const std::string kEdge = rep("═", 38);

struct Background : ::testing::Test {
  Background() {
    s.ctx.setPublic("_OPERATOR", rt::Value::character("ABC"));
    s.ctx.setPublic("NUMER_STAN", rt::Value::character("03"));
    s.ctx.setPublic("_FIRMA", rt::Value::character("  Hurtownia Łódź  "_pl));
    s.ctx.setPublic("_EKRA_BLO", rt::Value::character("W/N, N/W, N/N"));
  }
  uitest::Station s;  // the scripted clock starts on 5 March 2024, 10:00:00
};

TEST_F(Background, MainMenuRows) {
  ui::PRZYGOTUJ_EKRAN(s.ctx, 0, 5);
  const uitest::Shown sh = s.now();
  EXPECT_EQ(sh.row(0), "╔" + rep("═", 78) + "╗");
  EXPECT_EQ(sh.row(3), rep(kFill, 80));
  EXPECT_EQ(sh.row(4), rep(kFill, 2) + "╔" + kEdge + "╗" + rep(kFill, 8) + "ABC" + rep(kFill, 2) + "03" +
                           rep(kFill, 2) + "05.03.2024" + rep(kFill, 1) + "10:00:00" + rep(kFill, 2));
  EXPECT_EQ(sh.at(4, 59, 10), "05.03.2024");
  const std::string body = rep(kFill, 2) + "║ " + std::string(36, ' ') + " ║" + rep(kFill, 38);
  // The main window's body: row 5 and rows 6..12 (one row more than a nested window of
  // the same option count), the logo standing over the field right of it.
  for (int r : {5, 10, 11, 12}) EXPECT_EQ(sh.row(r), body) << r;
  EXPECT_EQ(sh.at(6, 0, 56), rt::utf8FromCp852(rt::cp852FromUtf8(body).substr(0, 56)));
  EXPECT_EQ(sh.at(7, 56, 20), "║ Z E L M O R A N  ║");
  EXPECT_EQ(sh.row(13), rep(kFill, 2) + "╚" + kEdge + "╝" + rep(kFill, 38));
  EXPECT_EQ(sh.row(14), rep(kFill, 80));
  EXPECT_EQ(sh.row(22), rep(kFill, 80));
  EXPECT_EQ(sh.row(23), rep(kFill, 64) + "Hurtownia Łódź" + rep(kFill, 2));
  EXPECT_EQ(sh.row(24), rep(kFill, 80));
  // Shadows are dark grey: the two cells right of the body, the 40 under the closing edge.
  EXPECT_EQ(sh.attr(12, 41), "07");
  EXPECT_EQ(sh.attr(12, 42), "08");
  EXPECT_EQ(sh.attr(12, 43), "08");
  EXPECT_EQ(sh.attr(12, 44), "07");
  EXPECT_EQ(sh.attr(14, 3), "07");
  EXPECT_EQ(sh.attrs[14].substr(8, 80), rep("08", 40));
  EXPECT_EQ(sh.attr(14, 44), "07");
  EXPECT_TRUE(s.con.clockRunning());
}

TEST_F(Background, ClockKeepsRunningAtRow4Column70) {
  ui::PRZYGOTUJ_EKRAN(s.ctx, 0, 5);
  s.script.waitSeconds(3.5).key('x');
  s.con.inkey(con::KeyWait::forever());
  EXPECT_EQ(s.now().at(4, 69, 9), "░10:00:03");
}

TEST_F(Background, TwoNestedLevels) {
  ui::PUSH(s.ctx, "  Zamówienia  "_pl);
  ui::PUSH(s.ctx, "Rejestr");
  ui::PRZYGOTUJ_EKRAN(s.ctx, 2, 3);
  const uitest::Shown sh = s.now();
  // Level 1 at rows 6-7, level 2's top edge at row 8 after four fill characters.
  EXPECT_EQ(sh.row(6), rep(kFill, 2) + "║ ╔" + kEdge + "╗" + rep(kFill, 36));
  const std::string title2 = std::string(14, ' ') + "Rejestr" + std::string(15, ' ');
  EXPECT_EQ(sh.row(7), rep(kFill, 2) + "╚═║ " + title2 + " ║" + rep(kFill, 36));
  EXPECT_EQ(sh.row(8), rep(kFill, 4) + "║ ╔" + kEdge + "╗" + rep(kFill, 34));
  EXPECT_EQ(sh.row(9), rep(kFill, 4) + "╚═║ " + std::string(36, ' ') + " ║" + rep(kFill, 34));
  // The innermost body: rows 10..13 (R + 1 rows), closed at row 14, its shadow on row 15.
  const std::string body = rep(kFill, 6) + "║ " + std::string(36, ' ') + " ║" + rep(kFill, 34);
  for (int r = 10; r <= 13; ++r) EXPECT_EQ(sh.row(r), body) << r;
  EXPECT_EQ(sh.row(14), rep(kFill, 6) + "╚" + kEdge + "╝" + rep(kFill, 34));
  EXPECT_EQ(sh.row(15), rep(kFill, 80));
  EXPECT_EQ(sh.attrs[15].substr(16, 80), rep("08", 40));
  EXPECT_EQ(sh.row(16), rep(kFill, 80));
  // Titles centred in 36 columns at (5, 4) and (7, 6, above); no logo on a nested screen.
  EXPECT_EQ(sh.at(5, 4, 36), std::string(13, ' ') + "Zamówienia" + std::string(13, ' '));
  EXPECT_FALSE(s.script.shows("Z E L M O R A N"));
}

struct Messages : ui::MessageSource {
  std::optional<int> groupCount() override { return count; }
  std::optional<std::vector<std::string>> groupLines(int group) override {
    asked.push_back(group);
    const auto it = groups.find(group);
    if (it == groups.end()) return std::nullopt;
    return it->second;
  }
  std::optional<int> count = 3;
  std::map<int, std::vector<std::string>> groups{{1, {"Pierwsza"}}, {2, {"Druga", "linia"}}, {3, {"Trzecia"}}};
  std::vector<int> asked;
};

TEST_F(Background, MessageBoxTakesARandomGroupThenTheNext) {
  Messages table;
  s.ctx.messages.source = &table;
  s.ctx.messages.random = [] { return 0.6; };  // round(0.6 * 3) = 2
  ui::PRZYGOTUJ_EKRAN(s.ctx, 0, 5);
  EXPECT_FALSE(s.script.shows("Druga"));  // position 88 of _WERSJA is not "T"
  s.ctx.setPublic("_WERSJA", rt::Value::character(std::string(87, ' ') + "T"));
  ui::PRZYGOTUJ_EKRAN(s.ctx, 0, 5);
  uitest::Shown sh = s.now();
  // Two lines: the frame from row 18 to 21, columns 46..77, the lines from row 19.
  EXPECT_EQ(sh.at(18, 46, 32), "┌" + rep("─", 30) + "┐");
  EXPECT_EQ(sh.at(19, 46, 32), "│Druga" + std::string(25, ' ') + "│");
  EXPECT_EQ(sh.at(20, 47, 5), "linia");
  EXPECT_EQ(sh.at(21, 46, 32), "└" + rep("─", 30) + "┘");
  ui::PRZYGOTUJ_EKRAN(s.ctx, 0, 5);
  ui::PRZYGOTUJ_EKRAN(s.ctx, 0, 5);
  EXPECT_EQ(table.asked, (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(s.now().at(20, 47, 8), "Pierwsza");
  table.count = std::nullopt;  // a missing table shows nothing
  ui::PRZYGOTUJ_EKRAN(s.ctx, 0, 5);
  EXPECT_EQ(s.now().row(20), rep(kFill, 80));
}

TEST(CIEN, ShadowsTheStripRightOfAndTheRowUnderTheBox) {
  uitest::Station s;
  s.paintPattern();
  const std::string before = s.script.attributes();
  const std::string text = s.script.text();
  ui::CIEN(s.ctx, 5, 10, 24, 30);  // bottom on the last row: nothing
  EXPECT_EQ(s.script.attributes(), before);
  ui::CIEN(s.ctx, 5, 10, 8, 30);
  const uitest::Shown sh = s.now();
  for (int r = 6; r <= 9; ++r) EXPECT_EQ(sh.attrs[r].substr(62, 4), "0808") << r;
  EXPECT_EQ(sh.attrs[9].substr(24, 38), rep("08", 19));
  EXPECT_NE(sh.attr(9, 11), "08");
  EXPECT_NE(sh.attr(5, 31), "08");
  EXPECT_EQ(s.script.text(), text);
  s.ctx.display = ui::Display::Monochrome;
  ui::CIEN(s.ctx, 0, 0, 1, 1);
  EXPECT_EQ(s.now().attr(1, 2), "00");
}

TEST(RET, SoundsTheErrorTone) {
  uitest::Station s;
  ui::RET(s.ctx);
  EXPECT_EQ(s.script.tones(), (std::vector<con::Tone>{{880, 0.5}}));
}

TEST(PASEK, RunsFromStartThroughStepsToTheEnd) {
  uitest::Station s;
  s.paintPattern();
  const std::string row12 = s.now().row(12);
  s.ctx.setPublic("_TOTAL", rt::Value::number(8));
  EXPECT_TRUE(ui::PASEK(s.ctx));
  EXPECT_TRUE(s.script.shows("Proszę czekać..."));
  EXPECT_EQ(s.now().row(24), rep("░", 80));
  std::vector<std::string> bars;
  for (int i = 1; i <= 8; ++i) {
    EXPECT_TRUE(ui::PASEK(s.ctx, 3));
    bars.push_back(s.now().row(24));
  }
  // Every third step redraws: 3 -> 30 cells, 6 -> 60; the eighth is not below _TOTAL.
  EXPECT_EQ(bars[1], rep("░", 80));
  EXPECT_EQ(bars[2], rep("▓", 30) + rep("░", 50));
  EXPECT_EQ(bars[7], rep("▓", 60) + rep("░", 20));
  ui::PASEK(s.ctx);
  EXPECT_EQ(s.now().row(24), std::string(80, ' '));
  EXPECT_EQ(s.now().row(12), row12);
  EXPECT_EQ(s.ctx.number("_TOTAL"), 0);
  EXPECT_EQ(s.script.elapsed().count(), 500);
}

TEST(PASEK, WithTotalZeroEveryStepFillsTheBar) {
  uitest::Station s;
  s.ctx.setPublic("_TOTAL", rt::Value::number(0));
  ui::PASEK(s.ctx);
  ui::PASEK(s.ctx, 5);
  EXPECT_EQ(s.now().row(24), rep("▓", 80));
  ui::PASEK(s.ctx, 0, "-", "#");
  EXPECT_EQ(s.now().row(24), rep("#", 80));
}

TEST(POLSKIE, AltKeysTypePolishLettersWhileTheModeIsOn) {
  struct Case { con::KeyEvent key; const char* letter; };
  const Case cases[] = {
      {{con::key::kAltZ, true, false}, "Ż"},  {{con::key::kAltX, false, false}, "ź"},
      {{con::key::kAltA, true, true}, "ą"},   {{con::key::kAltL, false, true}, "Ł"},
      {{con::key::kAltC, false, false}, "ć"}, {{con::key::kAltO, true, false}, "Ó"},
  };
  uitest::Station s;
  EXPECT_FALSE(ui::POLSKIE(s.ctx, true));
  EXPECT_FALSE(s.con.altCBreak());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.letter);
    s.script.key(c.key);
    const int k = s.con.waitKey(con::KeyWait::forever(), {});
    EXPECT_EQ(k, static_cast<unsigned char>(rt::cp852FromUtf8(c.letter)[0]));
  }
  EXPECT_TRUE(ui::POLSKIE(s.ctx));
  EXPECT_TRUE(ui::POLSKIE(s.ctx, false));
  EXPECT_TRUE(s.con.altCBreak());
  s.script.key(con::key::kAltZ);
  EXPECT_EQ(s.con.waitKey(con::KeyWait::forever(), {}), con::key::kAltZ);
}

TEST(INSTOGGLE, CursorShapeFollowsTheInsertMode) {
  using con::CursorShape;
  struct Case { CursorShape from; bool insertBefore; CursorShape to; bool insertAfter; };
  const Case cases[] = {
      {CursorShape::Normal, false, CursorShape::Insert, true},
      {CursorShape::UpperHalf, false, CursorShape::Block, true},
      {CursorShape::Insert, true, CursorShape::Normal, false},
      {CursorShape::Block, true, CursorShape::UpperHalf, false},
      {CursorShape::None, false, CursorShape::None, false},  // hidden: nothing changes
      {CursorShape::None, true, CursorShape::None, true},
  };
  for (const Case& c : cases) {
    uitest::Station s;
    s.con.setCursorShape(c.from);
    s.ctx.insertMode = c.insertBefore;
    ui::INSTOGGLE(s.ctx);
    EXPECT_EQ(s.con.cursor().shape, c.to);
    EXPECT_EQ(s.ctx.insertMode, c.insertAfter);
  }
}

TEST(CURSORON, ShapeOfSizeAndMode) {
  using con::CursorShape;
  uitest::Station s;
  EXPECT_EQ(ui::CURSORON(s.ctx), CursorShape::Normal);
  EXPECT_EQ(ui::CURSORON(s.ctx, ui::CursorSize::Large), CursorShape::Normal);
  EXPECT_EQ(s.con.cursor().shape, CursorShape::UpperHalf);
  s.ctx.insertMode = true;
  ui::CURSORON(s.ctx, ui::CursorSize::Large);
  EXPECT_EQ(s.con.cursor().shape, CursorShape::Block);
  EXPECT_EQ(ui::CURSORON(s.ctx), CursorShape::Block);
  EXPECT_EQ(s.con.cursor().shape, CursorShape::Insert);
}

}  // namespace
