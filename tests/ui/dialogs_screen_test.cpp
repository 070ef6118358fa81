// The modal boxes on the scripted screen: geometry, texts, keys that close them, and the
// exact restore of screen, colour and cursor.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "screen_fixture.hpp"
#include "ui/key.hpp"
#include "ui/qesc.hpp"
#include "ui/qk.hpp"
#include "ui/qke.hpp"
#include "ui/qpc.hpp"
#include "ui/qtn.hpp"

namespace {

using namespace rt::literals;
using con::key::kEnter;
using con::key::kEsc;

struct Restored {
  std::string text, attrs, colour;
  con::Cursor cursor;
};

Restored stateOf(uitest::Station& s) {
  return {s.script.text(), s.script.attributes(), s.con.colour(), s.script.cursor()};
}

void expectRestored(uitest::Station& s, const Restored& before) {
  EXPECT_EQ(s.script.text(), before.text);
  EXPECT_EQ(s.script.attributes(), before.attrs);
  EXPECT_EQ(s.con.colour(), before.colour);
  EXPECT_EQ(s.script.cursor(), before.cursor);
}

TEST(QKE, EscAllowedShowsEnterEscAndLeavesEscInKy) {
  uitest::Station s;
  s.paintPattern();
  const Restored before = stateOf(s);
  s.script.keys({'x', kEsc});
  ui::QkeOptions o;
  o.footer = "OK";
  o.esc = ui::Esc::Allowed;
  ui::QKE(s.ctx, "Błąd zapisu"_pl, o);
  const uitest::Shown& box = s.atRead(0);
  // " Błąd zapisu " is 13 wide: left = 33, frame columns 32..46, rows 11..13; the
  // footer from 33 + floor(6.5 - 4.5).
  EXPECT_EQ(box.at(11, 32, 15), "╔═════════════╗");
  EXPECT_EQ(box.at(12, 32, 15), "║ Błąd zapisu ║");
  EXPECT_EQ(box.at(13, 32, 15), "╚══ENTER/ESC══╝");
  EXPECT_EQ(box.attr(12, 33), "70");
  EXPECT_EQ(box.cursor.shape, con::CursorShape::None);
  EXPECT_EQ(s.rt.vars().get("_KY").num(), 27);
  expectRestored(s, before);
}

TEST(QKE, WithoutEscOnlyEnterCloses) {
  uitest::Station s;
  s.paintPattern();
  const Restored before = stateOf(s);
  s.script.keys({kEsc, 'a', kEnter});
  ui::QKE(s.ctx, "x");
  EXPECT_TRUE(s.script.scriptDone());
  // A one-character text gives a box as wide as the footer "ENTER": left 37, frame 36..42.
  const uitest::Shown& box = s.atRead(0);
  EXPECT_EQ(box.at(11, 36, 7), "╔═════╗");
  EXPECT_EQ(box.at(12, 36, 7), "║ x   ║");
  EXPECT_EQ(box.at(13, 36, 7), "╚ENTER╝");
  EXPECT_FALSE(s.rt.vars().exists("_KY"));
  expectRestored(s, before);
}

TEST(QKE, SecondTextAndRowMoveTheBox) {
  uitest::Station s;
  s.script.key(kEnter);
  ui::QkeOptions o;
  o.second = "Dwa trzy";
  o.row = 5;
  ui::QKE(s.ctx, "Raz", o);
  const uitest::Shown& box = s.atRead(0);
  // w = 10 (" Dwa trzy "), left 34; frame rows 4..7, the footer on row 7 from 34 + 2.
  EXPECT_EQ(box.at(4, 33, 12), "╔══════════╗");
  EXPECT_EQ(box.at(5, 33, 12), "║ Raz      ║");
  EXPECT_EQ(box.at(6, 33, 12), "║ Dwa trzy ║");
  EXPECT_EQ(box.at(7, 33, 12), "╚══ENTER═══╝");
}

TEST(QKE_ARR, LinesStandAroundTheMiddleRow) {
  uitest::Station s;
  s.paintPattern();
  const Restored before = stateOf(s);
  s.script.keys({kEnter});
  ui::QKE_ARR(s.ctx, {"jeden", "dwa", "trzy"});
  // n = 3, h = 1: frame rows 10..14, lines on 11..13; width 5, left 37.
  const uitest::Shown& box = s.atRead(0);
  EXPECT_EQ(box.at(10, 36, 7), "╔═════╗");
  EXPECT_EQ(box.at(11, 36, 7), "║jeden║");
  EXPECT_EQ(box.at(13, 36, 7), "║trzy ║");
  EXPECT_EQ(box.at(14, 36, 7), "╚ENTER╝");
  expectRestored(s, before);
}

TEST(QKE_ARR, ShowsAtMost23Lines) {
  uitest::Station s;
  std::vector<std::string> lines;
  for (int i = 1; i <= 30; ++i) lines.push_back("linia " + std::to_string(i));
  s.script.keys({kEsc});
  ui::QKE_ARR(s.ctx, lines, "N/W", "ENTER", ui::Esc::Allowed);
  const uitest::Shown& box = s.atRead(0);
  // h = 11: frame rows 0..24, line 23 on row 23.
  EXPECT_EQ(box.at(0, 34, 1), "╔");
  EXPECT_EQ(box.at(23, 35, 9), "linia 23 ");
  EXPECT_EQ(s.rt.vars().get("_KY").num(), 27);
}

TEST(QK, ClosesAfterItsSecondsOrAtAKey) {
  uitest::Station s;
  s.paintPattern();
  const Restored before = stateOf(s);
  ui::QK(s.ctx, "Zapisano", "N/W", 2);  // the script is empty: the two seconds pass
  EXPECT_EQ(s.atRead(0).at(12, 34, 10), " Zapisano ");
  EXPECT_EQ(s.script.elapsed().count(), 2000);
  expectRestored(s, before);

  s.script.waitSeconds(30).key('q');
  ui::QK(s.ctx, "Zapisano", "N/W", 0);  // 0: for a key only, however long it takes
  EXPECT_TRUE(s.script.scriptDone());
  expectRestored(s, before);
}

TEST(QTN, OnlyTOrNEndsTheQuestion) {
  struct Case { std::vector<int> keys; bool yes; };
  const Case cases[] = {{{kEsc, kEnter, 'x', 't'}, true}, {{kEnter, 'N'}, false}, {{'T'}, true}, {{'n'}, false}};
  for (const Case& c : cases) {
    uitest::Station s;
    s.paintPattern();
    const Restored before = stateOf(s);
    for (int k : c.keys) s.script.key(k);
    EXPECT_EQ(ui::QTN(s.ctx, "  Usunąć zapis?  "_pl), c.yes);
    EXPECT_TRUE(s.script.scriptDone());
    // " Usunąć zapis? (T/N) " is 21 wide: left 29.
    EXPECT_EQ(s.atRead(0).at(12, 28, 23), "║ Usunąć zapis? (T/N) ║");
    expectRestored(s, before);
  }
}

TEST(QTN_2W, CentresEachLineInABoxFromRow10To13) {
  uitest::Station s;
  s.paintPattern();
  const Restored before = stateOf(s);
  s.script.keys({kEsc, 't'});
  EXPECT_TRUE(ui::QTN_2W(s.ctx, "Dokument zmieniony", "Zapisać?"_pl));
  const uitest::Shown& box = s.atRead(0);
  // Widths 20 and 16: left 29, the question centred two columns in.
  EXPECT_EQ(box.at(10, 28, 22), "╔════════════════════╗");
  EXPECT_EQ(box.at(11, 28, 22), "║ Dokument zmieniony ║");
  EXPECT_EQ(box.at(12, 28, 22), "║   Zapisać? (T/N)   ║");
  EXPECT_EQ(box.at(13, 28, 22), "╚════════════════════╝");
  expectRestored(s, before);
}

TEST(QESC, StaysOpenUntilClosedAndASecondCloseDoesNothing) {
  uitest::Station s;
  s.paintPattern();
  const Restored before = stateOf(s);
  ui::QESC(s.ctx);  // nothing open: nothing happens
  expectRestored(s, before);
  ui::QESC(s.ctx, "  Oczekiwanie na dostęp ... "_pl);
  const uitest::Shown open = s.now();
  EXPECT_EQ(open.at(12, 23, 32), "║   Oczekiwanie na dostęp ...  ║");
  EXPECT_EQ(open.at(13, 23, 32), "╚══════ ESC - Zaniechaj ═══════╝");
  EXPECT_EQ(s.con.colour(), before.colour);
  EXPECT_EQ(s.script.cursor(), before.cursor);
  ui::QESC(s.ctx, "Inny tekst");  // opened again: the first box does not stay behind
  ui::QESC(s.ctx);
  expectRestored(s, before);
  ui::QESC(s.ctx);
  expectRestored(s, before);
}

TEST(QPC, HidesTheCursorUntilClosedAndClosesTheAreaItOpened) {
  uitest::Station s;
  s.paintPattern();
  const Restored before = stateOf(s);
  ui::QPC(s.ctx, ui::Switch::On, " Proszę czekać. Aktualizacja wersji programu ... "_pl);
  EXPECT_TRUE(s.script.shows("Aktualizacja wersji"));
  EXPECT_EQ(s.script.cursor().shape, con::CursorShape::None);
  ui::QPC(s.ctx, ui::Switch::Off);  // closed with the default text: still the opened area
  expectRestored(s, before);
  ui::QPC(s.ctx, ui::Switch::Off);
  expectRestored(s, before);
  ui::QPC(s.ctx, ui::Switch::On);
  EXPECT_EQ(s.now().at(12, 28, 22), "║  Proszę czekać...  ║");
  ui::QPC(s.ctx, ui::Switch::Off);
  expectRestored(s, before);
}

TEST(KEY, FillsTheBufferAndClearBufferEmptiesIt) {
  uitest::Station s;
  s.script.key('z');
  EXPECT_TRUE(ui::KEY(s.ctx, "ab"));
  EXPECT_TRUE(ui::KEY(s.ctx));
  EXPECT_EQ(s.con.inkey(con::KeyWait::none()), ' ');
  ui::KEY(s.ctx, "cd");
  ui::CLEARBUFFER(s.ctx);  // the stuffed keys and the typed one
  EXPECT_TRUE(s.script.scriptDone());
  EXPECT_EQ(s.con.inkey(con::KeyWait::none()), 0);
}

}  // namespace
