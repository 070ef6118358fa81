// tests/ui/browse_screen_test.cpp — the running browser on a five-record goods table:
// drawing, movement, marks and the running total, orders, searches and selection.
#include <gtest/gtest.h>

#include "browse_fixture.hpp"
#include "con/key_codes.hpp"
#include "rt/codepage.hpp"

namespace {

namespace k = con::key;
using ui::browse::Options;
using ui::browse::Outcome;

Options goods() {
  Options o;
  o.screenKey = "TOW";
  o.tableLayout = "V1";
  o.table = {1, -1, 15, -1};
  return o;
}

std::string current(db::WorkArea& a) { return a.eof() ? "<eof>" : uitest::trimmed(a.value(0)); }

bool everShown(const uitest::BrowseStation& s, std::string_view text) {
  for (const uitest::Shown& shown : s.device.shown)
    for (const std::string& row : shown.rows)
      if (row.find(text) != std::string::npos) return true;
  return false;
}

TEST(Browse, DrawsHeadingsAndRowsAndPutsTheScreenBackOnLeaving) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  s.openGoods();
  auto e = s.browse(goods());
  ASSERT_NE(e, nullptr);
  s.paintPattern();
  const uitest::Shown before = s.now();
  s.script.key(k::kEsc);
  EXPECT_EQ(ui::browse::DOEDIT(s.ctx, *e), Outcome::Left);
  const uitest::Shown& shown = s.atRead(0);
  // Five columns of widths 6, 12, 8, 9 and 6 with separators and the frame: 47 wide, centred.
  EXPECT_EQ(shown.at(1, 16, 1), "╔");
  EXPECT_EQ(shown.at(1, 62, 1), "╗");
  EXPECT_EQ(shown.at(2, 17, 45), "Indeks║Nazwa       ║Ilość   ║Cena zak.║Marża ");
  EXPECT_EQ(shown.at(3, 17, 20), "      ║towaru      ║");
  EXPECT_EQ(shown.at(4, 16, 47), "╠══════╬════════════╬════════╬═════════╬══════╣");
  EXPECT_EQ(shown.at(5, 17, 45), "A1    ║Śruba       ║   10,50║   1,20  ║  5.00");
  EXPECT_EQ(shown.at(15, 16, 40), "╚══════╩════════════╩════════╩═════════╩");
  EXPECT_EQ(shown.at(15, 58, 5), " 1 ═╝");  // the record number
  EXPECT_EQ(shown.at(9, 17, 13), "E5    ║Wkręt ");
  EXPECT_EQ(shown.attr(5, 17), "70");  // the current cell in the enhanced colour
  EXPECT_EQ(shown.attr(5, 24), "07");
  EXPECT_EQ(s.now().rows, before.rows);
  EXPECT_EQ(s.now().attrs, before.attrs);
}

TEST(Browse, MovementKeys) {
  struct Case { const char* name; std::vector<int> keys; std::string record; int column; };
  const std::vector<Case> cases = {
      {"down", {k::kDown}, "B2", 0},
      {"down down up", {k::kDown, k::kDown, k::kUp}, "B2", 0},
      {"up at the top stays", {k::kUp}, "A1", 0},
      {"down past the end without append stays", {k::kDown, k::kDown, k::kDown, k::kDown, k::kDown, k::kDown}, "E5", 0},
      {"page down to the last", {k::kPgDn}, "E5", 0},
      {"page down then page up", {k::kPgDn, k::kPgUp}, "A1", 0},
      {"ctrl page down, ctrl page up", {k::kCtrlPgDn, k::kCtrlPgUp}, "A1", 0},
      {"ctrl page down", {k::kCtrlPgDn}, "E5", 0},
      {"right right left", {k::kRight, k::kRight, k::kLeft}, "A1", 1},
      {"end home", {k::kEnd}, "A1", 4},
      {"end then home", {k::kEnd, k::kHome}, "A1", 0},
      {"right past the last column stays", {k::kEnd, k::kRight}, "A1", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    db::WorkArea& area = s.openGoods();
    auto e = s.browse(goods());
    for (int key : c.keys) s.script.key(key);
    s.script.key(k::kEsc);
    ui::browse::DOEDIT(s.ctx, *e);
    EXPECT_EQ(current(area), c.record);
    EXPECT_EQ(e->column(), c.column);
  }
}

TEST(Browse, ThePageShowsTheRowsAroundTheCurrentRecord) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  s.openGoods();
  Options o = goods();
  o.table = {1, -1, 7, -1};  // two data rows
  auto e = s.browse(o);
  s.script.keys({k::kDown, k::kDown, k::kDown, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(s.atRead(3).at(5, 17, 2), "C3");
  EXPECT_EQ(s.atRead(3).at(6, 17, 2), "D4");
  EXPECT_EQ(s.atRead(3).attr(6, 17), "70");
}

TEST(Marks, MarkingAddsTheColumnValueAndShowsTheTotalOnRowZero) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  s.openGoods();
  auto e = s.browse(goods());
  // On the quantity column: mark A1 (10.50) and B2 (4.00).
  s.script.keys({k::kRight, k::kRight, k::kIns, k::kIns, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  const std::string row0 = s.atRead(4).row(0);
  EXPECT_EQ(row0.substr(row0.size() - 6), " 14,50");
  EXPECT_EQ(s.atRead(4).attr(5, 17).substr(0, 2), "0F");  // marked rows in colour 8, W+/N
  const rt::Value marks = s.rt.vars().get("_ZAZNACZONE");
  ASSERT_TRUE(marks.isArray());
  ASSERT_EQ(marks.array()->size(), 2u);
  EXPECT_EQ((*marks.array())[0].num(), 1);
  EXPECT_EQ((*marks.array())[1].num(), 2);
  EXPECT_EQ(e->total(), 0);  // cleared on leaving
}

TEST(Marks, MarkingTheSameRowTwiceLeavesTheTotalAsItWas) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  s.openGoods();
  auto e = s.browse(goods());
  // Mark A1, then mark B2 and unmark it again: the total is A1's value alone.
  s.script.keys({k::kRight, k::kRight, k::kIns, k::kIns, k::kUp, k::kIns, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  const std::string row0 = s.atRead(6).row(0);
  EXPECT_EQ(row0.substr(row0.size() - 6), " 10,50");
  EXPECT_EQ(s.rt.vars().get("_ZAZNACZONE").array()->size(), 1u);
}

TEST(Marks, Key402ClearsTheMarksAndTheTotal) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  s.openGoods();
  auto e = s.browse(goods());
  s.script.keys({k::kRight, k::kRight, k::kIns, 402, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(s.atRead(4).row(0), s.atRead(0).row(0));
  EXPECT_TRUE(s.rt.vars().get("_ZAZNACZONE").array()->empty());
}

TEST(Orders, F5CyclesTheOfferedOrders) {
  // seen: the order named on the frame after each F5 (0: none named); last: the area's order.
  struct Case { const char* name; std::vector<ui::browse::OrderChoice> orders; bool filter; std::vector<int> seen; int last; };
  const std::vector<Case> cases = {
      {"natural order allowed", {{"indeks", 1}, {"nazwa", 2}}, false, {2, 0, 1}, 1},
      {"natural order not allowed with a row filter", {{"indeks", 1}, {"nazwa", 2}}, true, {2, 1, 2}, 2},
      {"an entry without a name is skipped", {{"indeks", 1}, {"", 2}}, true, {1, 1, 1}, 1},
      {"no orders: nothing happens", {}, false, {0, 0, 0}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    db::WorkArea& area = s.openGoods();
    Options o = goods();
    o.orders = c.orders;
    if (c.filter) o.rowFilter = rt::Value::character(".T.");
    auto e = s.browse(o);
    std::vector<int> seen;
    s.script.keys({k::function(5), k::function(5), k::function(5), k::kEsc});
    ui::browse::DOEDIT(s.ctx, *e);
    EXPECT_EQ(area.orderNumber(), c.last);
    for (int i = 1; i <= 3; ++i) {
      const std::string name = s.atRead(static_cast<std::size_t>(i)).at(1, 18, 8);
      seen.push_back(name == " indeks " ? 1 : name == " nazwa ═" ? 2 : 0);
    }
    EXPECT_EQ(seen, c.seen);
  }
}

TEST(Search, F3SeeksTheOrdersKeyAndShowsTheRecordAtTheTop) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  auto e = s.browse(goods());
  s.script.keys({k::function(3)}).type("C3").keys({k::kEnter, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(current(area), "C3");
  EXPECT_EQ(e->rowPos(), 0);
  EXPECT_NE(s.atRead(1).row(12).find("WG KLUCZA SORTUJĄCEGO SZUKAJ :"), std::string::npos);
  EXPECT_EQ(s.device.shown.back().at(5, 17, 2), "C3");
}

TEST(Search, F3ReportsWhatItCannotDo) {
  struct Case { const char* name; int order; std::string typed; std::string message; };
  const Case cases[] = {
      {"not found", 1, "Q7", "NIE ZNALEZIONO WIERSZA !"},
      {"natural order", 0, "", "WYSZUKIWANIE WYMAGA POSORTOWANIA KARTOTEKI !"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    db::WorkArea& area = s.openGoods();
    area.setOrder(c.order);
    area.goTo(2);
    auto e = s.browse(goods());
    s.script.key(k::function(3));
    if (!c.typed.empty()) s.script.type(c.typed).key(k::kEnter);
    s.script.keys({k::kEnter, k::kEsc});
    ui::browse::DOEDIT(s.ctx, *e);
    EXPECT_TRUE(everShown(s, c.message));
    EXPECT_EQ(current(area), "B2");
  }
}

TEST(Search, TypingSeeksTheGrowingPrefixAndKeepsItWhenNothingFollows) {
  struct Case { std::string typed; std::string record; };
  const Case cases[] = {
      {"G", "D4"},        // Gwóźdź
      {"W", "E5"},        // Wkręt
      {"NA", "B2"},       // Nakrętka
      {"\x98", "A1"},     // ś, sought as Ś
      {"\xfe", "D4"},     // nothing sorts after "■": the record stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    db::WorkArea& area = s.openGoods();
    area.setOrder(2);
    area.goTop();
    auto e = s.browse(goods());
    for (unsigned char ch : c.typed) s.script.key(ch);
    s.script.key(k::kEsc);
    ui::browse::DOEDIT(s.ctx, *e);
    EXPECT_EQ(current(area), c.record);
  }
}

TEST(Search, F4FindsTextInTheShownColumns) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  auto e = s.browse(goods());
  s.script.key(k::function(4)).type("kładk").keys({k::kEnter, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(current(area), "C3");
}

TEST(Selection, TheChosenValueIsTypedForTheCallingForm) {
  struct Case { int column; std::string typed; };
  const Case cases[] = {
      {-2, "Nakrętka\r"},
      {1002, "Nakrętka,"},
      {0, "B2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    db::WorkArea& area = s.openGoods();
    Options o = goods();
    o.selectColumn = c.column;
    auto e = s.browse(o);
    s.script.keys({k::kDown, k::kEnter});
    EXPECT_EQ(ui::browse::DOEDIT(s.ctx, *e), Outcome::Selected);
    std::string typed;
    while (!s.con.typeAheadEmpty()) typed += static_cast<char>(s.con.inkey(con::KeyWait::none()));
    EXPECT_EQ(rt::utf8FromCp852(typed), c.typed);
    EXPECT_EQ(current(area), "A1");  // the record of entry
  }
}

TEST(CardView, F12ShowsTheCurrentRecordOneFieldARow) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  Options o = goods();
  o.cardLayout = "V1";
  o.card = {3, 10, -1, -1};
  auto e = s.browse(o);
  s.script.keys({k::kRight, k::function(12), k::kCtrlDown, k::kDown, k::function(12), k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  const uitest::Shown& card = s.atRead(2);
  EXPECT_EQ(card.at(4, 12, 20), "Indeks       A1     ");
  EXPECT_EQ(card.at(5, 12, 25), "Nazwa towaru Śruba       ");
  EXPECT_EQ(card.attr(5, 25), "70");  // the field of the current column
  EXPECT_EQ(s.atRead(3).at(4, 25, 2), "B2");
  EXPECT_EQ(current(area), "B2");
  EXPECT_EQ(e->column(), 2);  // back in the table on the field moved to
}

}  // namespace

namespace {

TEST(Browse, AClickMakesTheClickedCellCurrentAndAClickOutsideTheRowsMovesNothing) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  auto e = s.browse(goods());
  con::KeyEvent click{k::kMouseLeftDown};
  click.row = 7;   // the third row: C3
  click.col = 40;  // inside the Ilość column
  s.script.key(click);
  click.row = 20;  // under the frame
  click.col = 18;
  s.script.key(click).key(k::kEsc);
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(current(area), "C3");
  EXPECT_EQ(e->column(), 2);
  EXPECT_EQ(e->rowPos(), 2);
}

}  // namespace
