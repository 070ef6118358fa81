// The choice bars: VERTICMENU's box geometry and restore, HORIZMENU's placement, and the keys
// both share (wrapping arrows, Enter, Esc, first letters).
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "../screen_fixture.hpp"
#include "ui/menu/horizmenu.hpp"
#include "ui/menu/verticmenu.hpp"

namespace {

namespace key = con::key;

std::string rep(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

std::vector<std::string> cp852(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* s : utf8) out.push_back(rt::cp852FromUtf8(s));
  return out;
}

TEST(VERTICMENU, DrawsACentredBoxAndRestoresTheScreen) {
  uitest::Station s;
  s.paintPattern();
  const uitest::Shown before = s.now();
  s.script.keys({key::kDown, key::kEnter});
  // w = max(5 + 2, 5 + 2, 3 + 2, 12 + 2) = 14, left = floor((79 - 14) / 2) = 32: the box
  // spans columns 31 to 46.
  EXPECT_EQ(ui::VERTICMENU(s.ctx, rt::cp852FromUtf8("WYBÓR"), cp852({"Jeden", "Dwa", "Trzy czwarte"})), 2);
  const uitest::Shown& sh = s.atRead(0);
  EXPECT_EQ(sh.at(9, 31, 16), before.at(9, 31, 16));
  EXPECT_EQ(sh.at(10, 30, 1), before.at(10, 30, 1));
  EXPECT_EQ(sh.at(10, 31, 16), "╔" + rep("═", 14) + "╗");
  EXPECT_EQ(sh.at(11, 31, 16), "║ WYBÓR        ║");
  EXPECT_EQ(sh.at(12, 31, 16), "║  Jeden       ║");
  EXPECT_EQ(sh.at(14, 31, 16), "║  Trzy czwarte║");
  EXPECT_EQ(sh.at(15, 31, 16), "╚" + rep("═", 14) + "╝");
  EXPECT_EQ(sh.at(16, 31, 16), before.at(16, 31, 16));
  EXPECT_EQ(sh.attr(11, 33), "70");  // "N/W"
  EXPECT_EQ(sh.attr(12, 32), "07");  // the current item in "W/N", as wide as its prompt
  EXPECT_EQ(sh.attr(12, 38), "07");
  EXPECT_EQ(sh.attr(12, 39), "70");
  EXPECT_EQ(s.atRead(1).attr(13, 32), "07");
  const uitest::Shown after = s.now();
  EXPECT_EQ(after.rows, before.rows);
  EXPECT_EQ(after.attrs, before.attrs);
  EXPECT_EQ(after.cursor, before.cursor);
}

TEST(ChoiceBars, KeysMoveWrapChooseAndLeave) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    int initial;
    int chosen;
  };
  const Case cases[] = {
      {"Enter takes the initial item", {key::kEnter}, 2, 2},
      {"an initial item out of range starts on the first", {key::kEnter}, 7, 1},
      {"Up on the first wraps to the last", {key::kUp, key::kEnter}, 1, 3},
      {"Down on the last wraps to the first", {key::kDown, key::kEnter}, 3, 1},
      {"Esc gives 0", {key::kDown, key::kEsc}, 1, 0},
      {"a letter chooses the first item beginning with it", {'t'}, 1, 3},
      {"a letter no item begins with does nothing", {'q', key::kEnter}, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (bool vertical : {true, false}) {
      uitest::Station s;
      for (int k : c.keys) s.script.key(k);
      const std::vector<std::string> items = cp852({"Jeden", "Dwa", "Trzy"});
      const int got = vertical ? ui::VERTICMENU(s.ctx, "Wybierz", items, c.initial)
                               : ui::HORIZMENU(s.ctx, 24, 0, "Wybierz", items, c.initial);
      EXPECT_EQ(got, c.chosen) << (vertical ? "VERTICMENU" : "HORIZMENU");
    }
  }
}

TEST(HORIZMENU, PlacesItemsAfterTheLabel) {
  struct Case {
    const char* label;
    int firstColumn;
  };
  for (const Case& c : {Case{"Drukować ?", 16}, Case{"", 5}}) {
    SCOPED_TRACE(c.label);
    uitest::Station s;
    s.script.keys({key::kRight, key::kEnter});
    EXPECT_EQ(ui::HORIZMENU(s.ctx, 20, 5, rt::cp852FromUtf8(c.label), cp852({"TAK", "NIE"})), 2);
    const uitest::Shown& sh = s.atRead(0);
    EXPECT_EQ(sh.at(20, 5, static_cast<int>(rt::cp852FromUtf8(c.label).size())), c.label);
    EXPECT_EQ(sh.at(20, c.firstColumn, 8), "TAK  NIE");
    EXPECT_EQ(sh.attr(20, c.firstColumn), "70");
    EXPECT_EQ(s.atRead(1).attr(20, c.firstColumn + 5), "70");
    EXPECT_EQ(sh.cursor.shape, con::CursorShape::None);
  }
}

}  // namespace
