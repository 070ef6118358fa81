// tests/ui/lookup_screen_test.cpp — dictionaries: SL as a validation and as the F8 pick list
// of a form field, the window's size, multiple choice, kept state, SLR and its record
// number, and the small routines beside them.
#include <gtest/gtest.h>

#include "browse_fixture.hpp"
#include "con/key_codes.hpp"
#include "db/bulk_index.hpp"
#include "rt/codepage.hpp"
#include "testkit/call.hpp"
#include "ui/browse/host.hpp"
#include "ui/form/read_form.hpp"
#include "ui/lookup/lookup.hpp"
#include "ui/lookup/small_routines.hpp"

namespace {

namespace k = con::key;
using rt::Value;

constexpr const char* kSl = "SL(\"KON\",\"KON\",\"V1\",1,1)";

struct LookupStation : uitest::BrowseStation {
  // The contractors' dictionary KON with `n` records 00001.. in area 2, ordered by NR_KON;
  // the screen "KON" shows Numer and Nazwa. The goods table TOW is open in area 1.
  explicit LookupStation(int n = 5) {
    uitest::EditRow nazwa("KON", "Nazwa", "NAZWA_KON", "", "", "", "", 2);
    makeEdit({{"KON", "Numer", "NR_KON", "", "", "", "", 1}, nazwa, {"TOW", "Indeks", "INDEKS", "", "", ".T.", "", 1}});
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= n; ++i) {
      std::string nr = std::to_string(i);
      nr.insert(0, 5 - nr.size(), '0');
      rows.push_back({nr, "Firma " + std::to_string(i)});
    }
    makeTable("KON.DBF", {{"NR_KON", 'C', 5}, {"NAZWA_KON", 'C', 20}}, rows);
    openGoods();
    ws.select(2);
    auto a = ws.use(path("KON.DBF"), {"KON", xbase::Share::Exclusive, false});
    if (!a) throw std::runtime_error(a.error().toString());
    kon = *a;
    if (!db::indexOn(*kon, path("KONN.NTX"), {"NR_KON"}).isOk()) throw std::runtime_error("index");
    kon->setOrder(1);
    kon->goBottom();  // the lookup starts from the top: reposition
    ws.select(1);
  }

  // A form field over the memory variable X, with `when` and `valid` expressions.
  ui::Get field(std::string value, const std::string& when, const std::string& valid) {
    rt.vars().declarePublic("X");
    rt.vars().set("X", Value::character(std::move(value)));
    ui::Get g;
    g.row = 2;
    g.col = 10;
    g.var = ui::Variable::memvar(rt, "X");
    if (!when.empty()) g.when = ui::Condition::expression(when);
    if (!valid.empty()) g.valid = ui::Condition::expression(valid);
    return g;
  }

  std::string x() const { return rt::utf8FromCp852(rt.vars().get("X").text()); }

  // The bottom row of the first lookup window shown, -1 when none was.
  int windowBottom() const {
    for (const uitest::Shown& shown : device.shown) {
      bool open = false;
      for (int r = 0; r < con::kRows; ++r) {
        if (shown.row(r).find("┌") != std::string::npos) open = true;
        if (open && shown.row(r).find("└") != std::string::npos) return r;
      }
    }
    return -1;
  }

  db::WorkArea* kon = nullptr;
};

std::string slget(const std::string& extra = "") {
  return "SLGET(\"KON\",\"KON\",\"V1\",1,1" + extra + ")";
}

TEST(Sl, AsAValidationWithoutF8ItOpensNothingAndAnswersWhetherTheValueExists) {
  struct Case { const char* typed; bool accepted; };
  for (const Case& c : {Case{"00004", true}, Case{"00009", false}}) {
    SCOPED_TRACE(c.typed);
    LookupStation s;
    ui::Get g = s.field("     ", "", kSl);
    s.script.type(c.typed).key(k::kEsc);  // a full field confirms; a refused one keeps the focus
    const ui::ReadResult r = ui::readOne(s.ctx, g);
    EXPECT_EQ(r.saved(), c.accepted);
    EXPECT_EQ(s.windowBottom(), -1);
    EXPECT_EQ(s.ws.selected(), 1);
    if (c.accepted) {
      EXPECT_EQ(s.kon->recno(), 4u);  // the check leaves the dictionary on the value
    }
  }
}

TEST(Sl, TheWindowOfAShortDictionaryIsShorterByTheMissingRows) {
  struct Case { int records; int bottom; };
  for (const Case& c : {Case{5, 10}, Case{30, 23}, Case{18, 23}, Case{17, 22}}) {
    SCOPED_TRACE(c.records);
    LookupStation s(c.records);
    ui::Get g = s.field("     ", slget(), "");
    s.script.keys({k::function(8), k::kEsc, k::kEsc});
    ui::readOne(s.ctx, g);
    EXPECT_EQ(s.windowBottom(), c.bottom);
  }
  EXPECT_EQ(ui::lookup::slBottom(5, 0) + 13, ui::lookup::slBottom(30, 0));
  EXPECT_EQ(ui::lookup::slBottom(5, 4), 14);   // a given top row lowers it again
  EXPECT_EQ(ui::lookup::slrBottom(5, false), 11);
  EXPECT_EQ(ui::lookup::slrBottom(5, true), 12);
  EXPECT_EQ(ui::lookup::slrBottom(40, true), 24);
}

TEST(Sl, F8PicksARowAndTypesItsValueIntoTheField) {
  LookupStation s;
  ui::Get g = s.field("     ", slget(), kSl);
  const std::string colour = s.con.colour();
  s.script.keys({k::kRight, k::function(8), k::kDown, k::kDown, k::kEnter});
  const ui::ReadResult r = ui::readOne(s.ctx, g);
  EXPECT_TRUE(r.saved());
  EXPECT_EQ(s.x(), "00003");  // typed from the field's start, though the cursor had moved
  EXPECT_EQ(s.kon->recno(), 3u);  // the validation's seek
  EXPECT_EQ(s.ws.selected(), 1);
  EXPECT_EQ(s.con.colour(), colour);
}

TEST(Sl, EscInTheListLeavesTheFieldAndTheDictionaryAsTheyWere) {
  LookupStation s;
  ui::Get g = s.field("00002", slget(), "");
  s.kon->setOrder(0);
  s.kon->goTo(4);
  s.script.keys({k::function(8), k::kDown, k::kEsc, k::kEnter});
  EXPECT_TRUE(ui::readOne(s.ctx, g).saved());
  EXPECT_EQ(s.x(), "00002");
  EXPECT_EQ(s.kon->recno(), 4u);
  EXPECT_EQ(s.kon->orderNumber(), 0);
}

TEST(Sl, MultipleChoicePutsTheMarkedValuesInFrontAndKeepsTheCallersMarks) {
  LookupStation s;
  Value outer = Value::newArray();
  outer.array()->push_back(Value::integer(99));
  s.ctx.setPublic("_ZAZNACZONE", outer);
  // Value column 1001: the values follow each other with ","; multiple choice on.
  ui::Get g = s.field("XYZ                 ", "SLGET(\"KON\",\"KON\",\"V1\",1001,1,,,,,,,,,,,.T.)", "");
  s.script.keys({k::function(8), k::kIns, k::kDown, k::kIns, k::kEsc, k::kEnter});
  EXPECT_TRUE(ui::readOne(s.ctx, g).saved());
  EXPECT_EQ(s.x(), "00001,00003,XYZ     ");
  const Value marks = s.rt.vars().get("_ZAZNACZONE");
  ASSERT_TRUE(marks.isArray());
  EXPECT_EQ(marks.array()->size(), 1u);
}

TEST(Sl, AKeptStateIsResumedByTheNextLookupOfTheSlot) {
  LookupStation s;
  ui::Get g = s.field("     ", "SLGET(\"KON\",\"KON\",\"V1\",1,1,,,,,,,,1)", "");
  s.script.keys({k::function(8), k::kRight, k::kEsc, k::function(8), k::kEsc, k::kEnter});
  ui::readOne(s.ctx, g);
  const Value kept = s.rt.vars().get("_REST1");
  ASSERT_TRUE(kept.isArray());
  auto engine = ui::browse::keptEngine(s.ctx, 1);
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(engine->column(), 1);  // the second run resumed the first one's engine
}

TEST(Sl, CellEditingRunsTheColumnsDictionaryOnF8) {
  LookupStation s;
  uitest::EditRow nr("ZAM", "Kontrahent", "NR_KON", "", "", ".T.", "", 1);
  nr.slownik = kSl;
  s.makeEdit({{"KON", "Numer", "NR_KON", "", "", "", "", 1}, {"KON", "Nazwa", "NAZWA_KON", "", "", "", "", 2}, nr});
  s.makeTable("ZAM.DBF", {{"NR_KON", 'C', 5}}, {{"00001"}});
  s.ws.select(3);
  ASSERT_TRUE(s.ws.use(s.path("ZAM.DBF"), {"ZAM", xbase::Share::Exclusive, false}));
  ui::browse::Options o;
  o.screenKey = "ZAM";
  o.tableLayout = "V1";
  o.editAllowed = Value::logical(true);
  auto e = s.browse(o);
  ASSERT_NE(e, nullptr);
  // F8 picks 00004; a value missing from the dictionary is refused by the same SL.
  s.script.keys({k::kEnter, k::function(8), k::kDown, k::kDown, k::kDown, k::kEnter, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  db::WorkArea& zam = *s.ws.find("ZAM");
  EXPECT_EQ(uitest::trimmed(zam.value(0)), "00004");

  s.script.keys({k::kEnter}).type("00077").keys({k::kEsc, k::kEsc});
  ui::browse::DOEDIT(s.ctx, *e);
  EXPECT_EQ(uitest::trimmed(zam.value(0)), "00004");
}

TEST(Slr, EnterSetsThePickedRecordAndEscLeavesZero) {
  struct Case { std::vector<int> keys; double expected; };
  const Case cases[] = {{{k::kDown, k::kDown, k::kEnter}, 3}, {{k::kDown, k::kCtrlEnter}, 2}, {{k::kDown, k::kEsc}, 0}};
  for (const Case& c : cases) {
    LookupStation s;
    s.ctx.setPublic("_KTORY_REKORD", Value::integer(7));
    for (const int key : c.keys) s.script.key(key);
    testkit::call(s.rt, "SLR", {Value::character("KON"), Value::character("KON"), Value::character("V1"), Value::integer(1),
                               Value(), Value(), Value(), Value(), Value::logical(true)});
    EXPECT_EQ(s.rt.vars().get("_KTORY_REKORD").num(), c.expected);
    EXPECT_EQ(s.kon->recno(), 5u);  // repositioned
    EXPECT_TRUE(s.con.typeAheadEmpty());
  }
}

TEST(Slr, NothingOpensForAnEmptyDictionaryOrWithoutF8) {
  for (const int records : {0, 5}) {
    SCOPED_TRACE(records);
    LookupStation s(records);
    s.ctx.setPublic("_KTORY_REKORD", Value::integer(7));
    const bool forced = records == 0;
    const Value r = testkit::call(s.rt, "SLR", {Value::character("KON"), Value::character("KON"), Value::character("V1"),
                                                Value(), Value(), Value(), Value(), Value(), Value::logical(forced)});
    EXPECT_TRUE(r.logical());
    EXPECT_TRUE(s.device.shown.empty());
    EXPECT_EQ(s.rt.vars().get("_KTORY_REKORD").num(), 7);
  }
}

TEST(Slr, ZerujAndPodajRek) {
  LookupStation s;
  s.ws.select(2);
  s.kon->goTo(4);
  s.con.pushKey('a');
  testkit::call(s.rt, "PODAJ_REK", {});
  EXPECT_EQ(s.rt.vars().get("_KTORY_REKORD").num(), 4);
  EXPECT_TRUE(s.con.typeAheadEmpty());
  EXPECT_TRUE(testkit::call(s.rt, "ZERUJ", {}).logical());
  EXPECT_EQ(s.rt.vars().get("_KTORY_REKORD").num(), 0);
}

TEST(SmallRoutines, AdjustName) {
  struct Case { const char* name; const char* ext; const char* expected; };
  const Case cases[] = {{"RAPORT  ", "TXT", "RAPORT.TXT"}, {"RAPORT.DOC", "TXT", "RAPORT.DOC"},
                        {"RAPORT ", "", "RAPORT "},      {"", "TXT", ""}};
  for (const Case& c : cases) EXPECT_EQ(ui::lookup::ADJUSTNAME(c.name, c.ext), c.expected) << c.name;
}

TEST(SmallRoutines, AddFilterJoinsConditionsWithoutChangingTheirMeaning) {
  struct Case { const char* current; const char* added; const char* joiner; const char* expected; };
  const Case cases[] = {{"", "ILOSC > 3", ".and.", "ILOSC > 3"},
                        {"A .or. B", "C", ".and.", "(A .or. B).and.(C)"},
                        {"A", "B", ".or.", "(A).or.(B)"},
                        {"A", "  ", ".and.", "A"},
                        {"", "", ".and.", ""}};
  for (const Case& c : cases) EXPECT_EQ(ui::lookup::joinedFilter(c.current, c.added, c.joiner), c.expected) << c.current;

  LookupStation s;
  db::WorkArea& tow = *s.ws.find("TOW");
  testkit::call(s.rt, "ADDFILTER", {Value::character("ILOSC > 3")});
  EXPECT_EQ(tow.filter().text, "ILOSC > 3");
  testkit::call(s.rt, "ADDFILTER", {Value::character("ILOSC < 50 .or. INDEKS = 'A'")});
  EXPECT_EQ(s.column(tow, "INDEKS"), (std::vector<std::string>{"A1", "B2"}));
}

TEST(SmallRoutines, PrintContGoesThroughTheSeam) {
  LookupStation s;
  testkit::call(s.rt, "PRINTCONT", {Value::character("abc")});  // nothing wired: nothing happens
  std::string printed;
  ui::lookup::stateOf(s.ctx).printAtPosition = [&](ui::Context&, std::string_view t) { printed += t; };
  testkit::call(s.rt, "PRINTCONT", {Value::character("abc")});
  EXPECT_EQ(printed, "abc");
}

}  // namespace
