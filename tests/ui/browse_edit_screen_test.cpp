// tests/ui/browse_edit_screen_test.cpp — changing data through the browser: editing a cell
// with validation, the cell's lock, appending, deleting, and the routines by name with
// their kept state.
#include <gtest/gtest.h>

#include "browse_fixture.hpp"
#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "testkit/call.hpp"

namespace {

namespace k = con::key;
using ui::browse::Options;

Options editable() {
  Options o;
  o.screenKey = "TOW";
  o.tableLayout = "V1";
  o.table = {1, -1, 15, -1};
  o.editAllowed = rt::Value::logical(true);
  return o;
}

std::string field(db::WorkArea& a, std::uint32_t recno, const char* name) {
  const std::uint32_t keep = a.recno();
  a.goTo(recno);
  const std::string v = uitest::trimmed(a.value(*a.fieldIndex(name)));
  a.goTo(keep);
  return v;
}

bool everShown(const uitest::BrowseStation& s, std::string_view text) {
  for (const uitest::Shown& shown : s.device.shown)
    for (const std::string& row : shown.rows)
      if (row.find(text) != std::string::npos) return true;
  return false;
}

TEST(CellEdit, ARefusedValueKeepsTheReadGoingAndAnAcceptedOneMovesRight) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  auto e = s.browse(editable());
  // Quantity of A1: "-5" breaks ILOSC >= 0; then 7 is accepted.
  s.script.keys({k::kRight, k::kRight, k::kEnter}).type("-5").key(k::kEnter).keys({k::kHome, 25}).type("7");
  s.script.key(k::kEnter);
  s.script.key(k::kEsc);
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(field(area, 1, "ILOSC"), "7.00");
  EXPECT_EQ(e->column(), 3);  // POWROT empty: one column right; Cena zak. has no WEJSCIE, so no read
  EXPECT_EQ(s.atRead(5).at(5, 37, 8), "-5   ,  ");  // the read shows what was typed
}

TEST(CellEdit, EscPutsTheValueBackAndStaysOnTheColumn) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  auto e = s.browse(editable());
  s.script.keys({k::kRight, k::kRight, k::kEnter}).type("99").keys({k::kEsc, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(field(area, 1, "ILOSC"), "10.50");
  EXPECT_EQ(e->column(), 2);
}

TEST(CellEdit, ACellWithoutEntryExpressionOrWithoutEditPermissionIsNotRead) {
  struct Case { const char* name; bool permission; int column; };
  const Case cases[] = {{"no WEJSCIE", true, 3}, {"no edit permission", false, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    db::WorkArea& area = s.openGoods();
    Options o = editable();
    o.editAllowed = rt::Value::logical(c.permission);
    auto e = s.browse(o);
    s.script.key(k::kEnd);
    for (int i = 4; i > c.column; --i) s.script.key(k::kLeft);
    s.script.keys({k::kEnter, '9', k::kEsc});
    ui::browse::DOEDIT(s.ctx, *e);
    EXPECT_EQ(field(area, 1, "CENA_ZAK"), "1.20");
    EXPECT_EQ(field(area, 1, "ILOSC"), "10.50");
  }
}

TEST(CellEdit, AnEditedKeyMovesTheRecordInTheOrderAndTheCursorFollowsIt) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  auto e = s.browse(editable());
  s.script.key(k::kEnter).type("Z9    ").keys({k::kEsc, k::kEsc});  // Esc leaves the name read
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(s.column(area, "INDEKS"), (std::vector<std::string>{"B2", "C3", "D4", "E5", "Z9"}));
  EXPECT_EQ(area.recno(), 1u);
  EXPECT_EQ(s.device.shown.back().at(5, 17, 2), "Z9");
}

TEST(CellEdit, ALockedRecordWaitsBehindTheNoticeAndEscGivesUp) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods(xbase::Share::Shared);
  auto other = xbase::DbfFile::open(s.env, s.script.clock(), s.path("TOW.DBF"), xbase::Share::Shared);
  ASSERT_TRUE(other);
  ASSERT_TRUE((*other)->lockRecord(1).isOk());  // another station holds A1
  Options o = editable();
  o.lockMode = 1;
  auto e = s.browse(o);
  s.script.key(k::kEnter).waitSeconds(2).keys({k::kEsc, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_TRUE(everShown(s, "Oczekiwanie na dostęp ..."));
  EXPECT_EQ(field(area, 1, "INDEKS"), "A1");
  (*other)->close();
}

TEST(CellEdit, InASharedTableTheRecordLockIsTakenAndReleasedAroundTheEdit) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods(xbase::Share::Shared);
  Options o = editable();
  o.lockMode = 1;
  auto e = s.browse(o);
  s.script.keys({k::kRight, k::kRight, k::kEnter}).type("3").keys({k::kEnter, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(field(area, 1, "ILOSC"), "3.00");
  auto other = xbase::DbfFile::open(s.env, s.script.clock(), s.path("TOW.DBF"), xbase::Share::Shared);
  ASSERT_TRUE(other);
  EXPECT_TRUE((*other)->lockRecord(1).isOk());  // released after the edit
  (*other)->close();
}

TEST(Append, DownOnTheLastRowAsksThenAppendsAndEditsTheNewRow) {
  struct Case { char answer; std::uint32_t records; };
  for (const Case c : {Case{'T', 6}, Case{'N', 5}}) {
    SCOPED_TRACE(c.answer);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    db::WorkArea& area = s.openGoods();
    Options o = editable();
    o.appendAllowed = rt::Value::logical(true);
    auto e = s.browse(o);
    s.script.keys({k::kCtrlPgDn, k::kDown, c.answer});
    if (c.answer == 'T') s.script.type("F6    ").type("Kołek").keys({k::kEnter, k::kEsc});
    s.script.key(k::kEsc);
    ui::browse::DOEDIT(s.ctx, *e);
    EXPECT_TRUE(everShown(s, " NOWY WIERSZ ? (T/N) "));
    EXPECT_EQ(area.lastRec(), c.records);
    if (c.answer == 'T') {
      EXPECT_EQ(field(area, 6, "INDEKS"), "F6");
      EXPECT_EQ(field(area, 6, "NAZWA"), "Kołek");
    }
  }
}

TEST(Append, TheCallersConfirmationAndActionReplaceTheDefaults) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  Options o = editable();
  o.appendAllowed = rt::Value::logical(true);
  o.appendConfirm = rt::Value::character(".T.");
  o.appendAction = rt::Value::character("EDITAPPEND()");
  auto e = s.browse(o);
  s.script.keys({k::kCtrlPgDn, k::kDown}).type("G7    ").keys({k::kEsc, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_FALSE(everShown(s, "NOWY WIERSZ"));
  EXPECT_EQ(field(area, 6, "INDEKS"), "G7");
}

TEST(Delete, IsRefusedSilentlyWithoutPermissionAndAskedWithIt) {
  struct Case { bool permission; bool asked; bool deleted; std::string then; };
  for (const Case& c : {Case{false, false, false, "A1"}, Case{true, true, true, "B2"}}) {
    SCOPED_TRACE(c.permission);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    db::WorkArea& area = s.openGoods();
    Options o = editable();
    o.deleteAllowed = rt::Value::logical(c.permission);
    auto e = s.browse(o);
    s.script.keys({k::kIns, k::kUp, k::kDel});  // A1 marked first
    if (c.permission) s.script.key('T');
    s.script.key(k::kEsc);
    ui::browse::DOEDIT(s.ctx, *e);
    EXPECT_EQ(everShown(s, " SKASOWAĆ WIERSZ ? (T/N) "), c.asked);
    EXPECT_EQ(uitest::trimmed(area.value(0)), c.then);
    area.goTo(1);
    EXPECT_EQ(area.deleted(), c.deleted);
    EXPECT_EQ(s.rt.vars().get("_ZAZNACZONE").array()->size(), c.deleted ? 0u : 1u);
  }
}

TEST(Delete, DeletingTheLastRowKeepsTheRowsAboveInView) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  db::WorkArea& area = s.openGoods();
  Options o = editable();
  o.deleteAllowed = rt::Value::logical(true);
  auto e = s.browse(o);
  s.script.keys({k::kCtrlPgDn, k::kDel, 'T', k::kUp, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  const uitest::Shown& after = s.atRead(3);  // natural order allowed: on the empty row after the last
  EXPECT_EQ(after.at(5, 17, 2), "A1");
  EXPECT_EQ(after.at(8, 17, 2), "D4");
  EXPECT_EQ(after.at(9, 17, 2), "  ");
  EXPECT_EQ(uitest::trimmed(area.value(0)), "D4");  // Up from the empty row
}

TEST(Delete, TheBeforeDeleteRoutineRunsWhenTheOptionsStringAsksForIt) {
  for (const char option : {'W', ' '}) {
    SCOPED_TRACE(option);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    s.openGoods();
    int calls = 0;
    s.rt.functions().add("KAS_WIST", [&calls](rt::Runtime&, rt::Args&) {
      ++calls;
      return rt::Value();
    });
    std::string wersja(200, ' ');
    wersja[170] = option;
    s.ctx.setPublic("_WERSJA", rt::Value::character(wersja));
    Options o = editable();
    o.deleteAllowed = rt::Value::logical(true);
    auto e = s.browse(o);
    s.script.keys({k::kDel, 'T', k::kEsc});
    ui::browse::DOEDIT(s.ctx, *e);
    EXPECT_EQ(calls, option == 'W' ? 1 : 0);
  }
}

std::vector<rt::Value> classeditArguments(int keep) {
  std::vector<rt::Value> a(35);
  a[0] = rt::Value::integer(1);
  a[2] = rt::Value::integer(15);
  a[4] = rt::Value::character("iTOW");
  a[5] = rt::Value::character("V1");
  a[30] = rt::Value::integer(keep);
  return a;
}

TEST(ByName, ClassEditHandsBackTheViewsAndDoEditRunsThem) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  s.openGoods();
  std::vector<rt::Value> a = classeditArguments(-1);
  ASSERT_TRUE(s.rt.call("CLASSEDIT", std::span<rt::Value>(a)).logical());
  ASSERT_TRUE(a[34].isArray());
  s.script.keys({k::kRight, k::kEsc});
  const rt::Value out = testkit::call(s.rt, "DOEDIT", {a[32], a[33], a[34]});
  EXPECT_EQ(out.num(), 0);
  EXPECT_EQ(s.atRead(0).at(1, 17, 1), "*");  // "i" before the key
  // Released: running it again does nothing.
  EXPECT_EQ(testkit::call(s.rt, "DOEDIT", {a[32], a[33], a[34]}).num(), 0);
  EXPECT_EQ(s.device.shown.size(), 2u);
}

TEST(ByName, AKeptStateResumesWhereTheBrowseWasLeft) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  s.openGoods();
  std::vector<rt::Value> a = classeditArguments(2);
  ASSERT_TRUE(s.rt.call("CLASSEDIT", std::span<rt::Value>(a)).logical());
  s.script.keys({k::kRight, k::kRight, k::kEsc, k::kEsc});
  const std::vector<rt::Value> kept{s.rt.vars().get("_HOR2"), s.rt.vars().get("_VERT2"), s.rt.vars().get("_REST2")};
  testkit::call(s.rt, "DOEDIT", kept);
  testkit::call(s.rt, "DOEDIT", kept);
  EXPECT_EQ(s.atRead(3).attr(5, 37), "70");  // the quantity column is still current
}

}  // namespace
