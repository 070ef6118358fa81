// Reading whole forms: moving between fields, entry conditions, validations, Esc, the
// confirm setting, hot keys, REDISPLAY and the routines a validation calls (SZ, SP).
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "screen_fixture.hpp"
#include "ui/form/field_edit.hpp"
#include "ui/form/read_form.hpp"
#include "ui/form/readers.hpp"

namespace {

using namespace con::key;
using namespace rt::literals;
using rt::Value;

// Three fields on rows 3, 4 and 5 at column 20: a name, a quantity and a date.
struct OrderForm {
  explicit OrderForm(uitest::Station& st) : s(st) {
    s.rt.vars().set("M_NAZWA", Value::character("Nowak     "));
    s.rt.vars().set("M_ILOSC", Value::number(3, 3, 0));
    s.rt.vars().set("M_DATA", Value::date(rt::Date::fromYmd(2024, 1, 2)));
    add(3, "M_NAZWA", "@!");
    add(4, "M_ILOSC", "999");
    add(5, "M_DATA", "");
  }
  ui::Get& add(int row, const char* name, const char* picture) {
    ui::Get g;
    g.row = row;
    g.col = 20;
    g.var = ui::Variable::memvar(s.rt, name);
    g.picture = picture;
    gets.push_back(std::move(g));
    return gets.back();
  }
  std::string text(const char* name) const { return s.rt.vars().get(name).text(); }
  double number(const char* name) const { return s.rt.vars().get(name).num(); }
  // The row the cursor stood on when key `i` was awaited.
  int rowAt(std::size_t i) const { return s.atRead(i).cursor.row; }

  uitest::Station& s;
  std::vector<ui::Get> gets;
};

TEST(ReadForm, SeveralFieldsWithPicturesReadToTheEnd) {
  uitest::Station s;
  OrderForm f(s);
  s.script.type("kowalski");
  s.script.keys({kEnter});
  s.script.type("12");
  s.script.keys({kEnter});
  s.script.type("050324");  // the date fills its field: with confirm off the form ends
  const ui::ReadResult r = ui::readForm(s.ctx, f.gets);
  EXPECT_TRUE(r.saved());
  EXPECT_TRUE(r.updated);
  EXPECT_EQ(f.text("M_NAZWA"), "KOWALSKI  ");
  EXPECT_EQ(f.number("M_ILOSC"), 12);
  EXPECT_EQ(s.rt.vars().get("M_DATA").date(), rt::Date::fromYmd(2024, 3, 5));
  // All three drawn before the first key; the field with focus in the enhanced colour.
  const uitest::Shown& first = s.atRead(0);
  EXPECT_EQ(first.at(3, 20, 10), "NOWAK     ");  // under @!
  EXPECT_EQ(first.at(4, 20, 3), "  3");
  EXPECT_EQ(first.at(5, 20, 8), "02.01.24");
  EXPECT_EQ(first.attr(3, 20), "70");  // N/W, slot 2
  EXPECT_EQ(first.attr(4, 20), "70");  // slot 5 follows slot 2 by default
  EXPECT_EQ(s.now().at(3, 20, 10), "KOWALSKI  ");
  EXPECT_EQ(s.now().at(4, 20, 3), " 12");
}

TEST(ReadForm, ARefusedValidationKeepsTheFocus) {
  uitest::Station s;
  OrderForm f(s);
  f.gets[1].valid = ui::Condition::expression("M_ILOSC > 0");
  s.script.keys({kDown});
  s.script.type("0");
  s.script.keys({kEnter, kDown});  // refused twice, whatever the key
  s.script.type("5");
  s.script.keys({kEnter, kEsc});
  ui::readForm(s.ctx, f.gets);
  EXPECT_EQ(f.rowAt(1), 4);
  EXPECT_EQ(f.rowAt(3), 4);  // after Enter on 0
  EXPECT_EQ(f.rowAt(4), 4);  // after Down on 0
  EXPECT_EQ(f.rowAt(6), 5);  // 5 is accepted: the date has focus
}

TEST(ReadForm, EscLeavesEveryVariableWithItsOldValue) {
  uitest::Station s;
  OrderForm f(s);
  s.script.type("abc");
  s.script.keys({kEnter});
  s.script.type("77");
  s.script.keys({kEsc});
  const ui::ReadResult r = ui::readForm(s.ctx, f.gets);
  EXPECT_EQ(r.end, ui::FormEnd::Escaped);
  EXPECT_EQ(r.lastKey, kEsc);
  EXPECT_FALSE(r.updated);
  EXPECT_EQ(f.text("M_NAZWA"), "Nowak     ");
  EXPECT_EQ(f.number("M_ILOSC"), 3);
  EXPECT_EQ(s.now().at(3, 20, 10), "NOWAK     ");  // redrawn with the old value (under @!)
}

TEST(ReadForm, MovingBetweenFields) {
  struct Case {
    const char* what;
    std::vector<int> keys;  // after these, the row of the focus is read at the next key
    int row;
  };
  const Case cases[] = {
      {"Up on the first field stays", {kUp}, 3},
      {"Shift+Tab on the first field stays", {kShiftTab}, 3},
      {"Tab moves down", {kTab}, 4},
      {"Down on the last field stays", {kDown, kDown, kDown}, 5},
      {"Up moves up", {kDown, kDown, kUp}, 4},
      {"Ctrl+Home goes to the first field", {kDown, kDown, kCtrlHome}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uitest::Station s;
    OrderForm f(s);
    for (int k : c.keys) s.script.key(k);
    s.script.key(kEsc);
    ui::readForm(s.ctx, f.gets);
    EXPECT_EQ(f.rowAt(c.keys.size()), c.row);
  }
}

TEST(ReadForm, KeysThatEndTheForm) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    ui::FormEnd end;
  };
  const Case cases[] = {
      {"Enter past the last field", {kEnter, kEnter, kEnter}, ui::FormEnd::Saved},
      {"PgDn", {kPgDn}, ui::FormEnd::Saved},
      {"PgUp", {kDown, kPgUp}, ui::FormEnd::Saved},
      {"Ctrl+W", {kCtrlEnd}, ui::FormEnd::Saved},
      {"Esc", {kDown, kEsc}, ui::FormEnd::Escaped},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uitest::Station s;
    OrderForm f(s);
    for (int k : c.keys) s.script.key(k);
    const ui::ReadResult r = ui::readForm(s.ctx, f.gets);
    EXPECT_EQ(r.end, c.end);
    EXPECT_EQ(r.lastKey, c.keys.back());
    EXPECT_TRUE(s.script.scriptDone());
  }
}

TEST(ReadForm, FieldsThatCannotTakeFocusAreSkippedBothWays) {
  uitest::Station s;
  OrderForm f(s);
  f.gets[1].when = ui::Condition::expression("M_NAZWA = 'X'");
  s.script.keys({kEnter, kUp, kDown, kEsc});
  ui::readForm(s.ctx, f.gets);
  EXPECT_EQ(f.rowAt(1), 5);  // Enter skips the quantity
  EXPECT_EQ(f.rowAt(2), 3);  // and so does Up
  EXPECT_EQ(f.rowAt(3), 5);

  uitest::Station t;
  OrderForm g(t);
  g.gets[0].displayOnly = true;
  g.gets[2].when = [](ui::Context&) { return false; };
  t.script.keys({kUp, kEnter});  // Up from the only field that can take focus stays
  const ui::ReadResult r = ui::readForm(t.ctx, g.gets);
  EXPECT_EQ(g.rowAt(0), 4);
  EXPECT_EQ(g.rowAt(1), 4);
  EXPECT_TRUE(r.saved());  // Enter skips the last field: the form ends
}

TEST(ReadForm, WithConfirmOnAFullFieldWaitsForEnter) {
  uitest::Station s;
  OrderForm f(s);
  s.rt.settings().confirm = true;
  s.script.keys({kDown});
  s.script.type("1234");  // the fourth digit overwrites the last place
  s.script.keys({kEnter, kPgDn});
  ui::readForm(s.ctx, f.gets);
  EXPECT_EQ(f.rowAt(5), 4);  // Enter awaited in the full field
  EXPECT_EQ(f.rowAt(6), 5);
  EXPECT_EQ(f.number("M_ILOSC"), 124);
}

TEST(ReadForm, AHotKeySeesTheTypedValueAndItsChangeIsShown) {
  uitest::Station s;
  OrderForm f(s);
  std::string seen, variable;
  s.con.bindings().bind(function(8), [&](const con::HotKeyCall& call) {
    variable = call.variable;
    seen = s.rt.vars().get("M_NAZWA").text();
    s.rt.vars().set("M_NAZWA", Value::character("Z SŁOWNIKA"_pl));
  });
  s.script.type("ab");
  s.script.keys({function(8), kEnter, kPgDn});
  ui::readForm(s.ctx, f.gets);
  EXPECT_EQ(variable, "M_NAZWA");
  EXPECT_EQ(seen, "ABWAK     ");
  EXPECT_EQ(s.atRead(3).at(3, 20, 10), "Z SŁOWNIKA");
  EXPECT_EQ(f.text("M_NAZWA"), "Z SŁOWNIKA"_pl);
}

}  // namespace
