// The program's field reader (its comma, goods-index and double-click rules), the masked
// password reader, and the zero-filling validations SZ and SP.
#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "screen_fixture.hpp"
#include "testkit/record_source.hpp"
#include "ui/form/getpassword.hpp"
#include "ui/form/read_form.hpp"
#include "ui/form/readers.hpp"

namespace {

using namespace con::key;
using rt::Value;

ui::Get fieldOf(uitest::Station& s, const char* name, Value v, std::string picture = "") {
  s.rt.vars().set(name, std::move(v));
  ui::Get g;
  g.row = 6;
  g.col = 15;
  g.var = ui::Variable::memvar(s.rt, name);
  g.picture = std::move(picture);
  return g;
}

TEST(CPGETREADER, NumericCommasTurnToBlanksUntilAPointIsTyped) {
  uitest::Station s;
  ui::Get g = fieldOf(s, "M_KWOTA", Value::number(1234.5, 6, 2), "999,999.99");
  s.script.keys({kRight, '.', kRight, kEsc});
  ui::readOne(s.ctx, g);
  EXPECT_EQ(s.atRead(0).at(6, 15, 10), "  1,234.50");  // at focus, before any key
  EXPECT_EQ(s.atRead(1).at(6, 15, 10), "  1 234.50");
  EXPECT_EQ(s.atRead(2).at(6, 15, 10), "  1,234.50");  // the point re-formats, commas stay
  EXPECT_EQ(s.atRead(3).at(6, 15, 10), "  1,234.50");

  s.script.type("1234567");
  s.script.key(kEnter);
  ui::readOne(s.ctx, g);
  EXPECT_EQ(s.atRead(11).at(6, 15, 10), "123 456.7 ");
  EXPECT_EQ(s.rt.vars().get("M_KWOTA").num(), 123456.7);
}

TEST(CPGETREADER, GoodsIndexFieldsLeaveWithFiveDigits) {
  struct Case {
    const char* what;
    bool option;
    const char* name;
    const char* start;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      {"an index name with the option", true, "M_IND", "123  ", "", "00123"},
      {"typed, in a longer field", true, "M_INDEKS", "        ", "42", "00042   "},
      {"without the option", false, "M_IND", "123  ", "", "123  "},
      {"a name without IND", true, "M_NAZWA", "123  ", "", "123  "},
      {"a blank buffer", true, "M_IND", "     ", "", "     "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uitest::Station s;
    std::string options(200, 'N');
    if (c.option) options[176] = 'E';
    s.rt.vars().set("_WERSJA", Value::character(options));
    ui::Get g = fieldOf(s, c.name, Value::character(c.start));
    s.script.type(c.typed);
    s.script.key(kEnter);
    ui::readOne(s.ctx, g);
    EXPECT_EQ(s.rt.vars().get(c.name).text(), c.expected);
  }
}

TEST(CPGETREADER, ADoubleClickOnTheFieldOpensTheLookupWhenF8IsBound) {
  uitest::Station s;
  ui::Get g = fieldOf(s, "M_KONTR", Value::character("12345"));
  const auto click = [](int row, int col) { return con::KeyEvent{kMouseLeftDouble, false, false, row, col}; };
  s.script.key(click(6, 17)).key(kEnter);
  ui::readOne(s.ctx, g);  // nothing bound: the click does nothing
  EXPECT_TRUE(s.script.scriptDone());

  int lookups = 0;
  s.con.bindings().bind(function(8), [&](const con::HotKeyCall&) { ++lookups; });
  s.script.key(click(6, 17)).key(click(7, 17)).key(click(6, 20)).key(kEnter);
  ui::readOne(s.ctx, g);
  EXPECT_EQ(lookups, 1);  // only the click on the field's own cells
}

TEST(GETPASSWORD, ShowsStarsAndReturnsTheTypedText) {
  uitest::Station s;
  ui::Get g = fieldOf(s, "M_HASLO", Value::character("stare   "));
  g.reader = ui::GETPASSWORD;
  s.script.type("tajne");
  s.script.key(kBackspace);
  s.script.type("a");
  s.script.key(kEnter);
  const ui::ReadResult r = ui::readOne(s.ctx, g);
  EXPECT_TRUE(r.saved());
  EXPECT_EQ(s.rt.vars().get("M_HASLO").text(), "tajna");
  EXPECT_EQ(s.atRead(0).at(6, 15, 8), "        ");  // the stored text is never shown
  EXPECT_EQ(s.atRead(5).at(6, 15, 8), "*****   ");
  EXPECT_EQ(s.atRead(6).at(6, 15, 8), "****    ");
  EXPECT_EQ(s.now().at(6, 15, 8), "*****   ");  // drawn without focus: still stars
}

TEST(GETPASSWORD, EscFullFieldAndRefusedValidation) {
  {
    uitest::Station s;
    ui::Get g = fieldOf(s, "M_HASLO", Value::character("stare   "));
    g.reader = ui::GETPASSWORD;
    s.script.type("abc");
    s.script.key(kEsc);
    EXPECT_EQ(ui::readOne(s.ctx, g).end, ui::FormEnd::Escaped);
    EXPECT_EQ(s.rt.vars().get("M_HASLO").text(), "stare   ");
  }
  {
    uitest::Station s;
    ui::Get g = fieldOf(s, "M_HASLO", Value::character("    "));
    g.reader = ui::GETPASSWORD;
    s.script.type("abcd");  // the field is full: it ends as if confirmed
    ui::readOne(s.ctx, g);
    EXPECT_EQ(s.rt.vars().get("M_HASLO").text(), "abcd");
  }
  {
    uitest::Station s;
    ui::Get g = fieldOf(s, "M_HASLO", Value::character("        "));
    g.reader = ui::GETPASSWORD;
    g.valid = [](ui::Context& c) { return c.rt.vars().get("M_HASLO").text() == "ok"; };
    s.script.type("zz");
    s.script.keys({kEnter, kBackspace, kBackspace});
    s.script.type("ok");
    s.script.key(kEnter);
    EXPECT_TRUE(ui::readOne(s.ctx, g).saved());
    EXPECT_EQ(s.rt.vars().get("M_HASLO").text(), "ok");
    EXPECT_EQ(s.atRead(3).at(6, 15, 3), "** ");  // refused: the stars stay, reading goes on
  }
}

TEST(readPassword, AFieldOfItsOwnInTheGivenColourTakingWaitingKeysFirst) {
  uitest::Station s;
  s.con.setCursorShape(con::CursorShape::Normal);
  s.con.pushKey('7');  // the key that opened the entry
  s.script.type("ab").key(kIns).key(kEnter);
  EXPECT_EQ(ui::readPassword(s.ctx, {24, 74, 6, "W/W"}), std::optional<std::string>("7ab"));
  EXPECT_EQ(s.atRead(0).at(24, 74, 6), "*     ");
  EXPECT_EQ(s.atRead(0).attr(24, 74), "77");  // white on white, with the focus too
  EXPECT_TRUE(s.ctx.insertMode);              // Insert works as in every field
  s.script.type("xyz").key(kEsc);
  EXPECT_EQ(ui::readPassword(s.ctx, {24, 74, 6, {}}), std::nullopt);
}

TEST(SZ, ZeroFillsTheFieldBeingEdited) {
  struct Case {
    const char* start;
    const char* expected;
  };
  const Case cases[] = {{" 12", "012"}, {"7 ", "07"}, {"   ", "   "}, {"-5 ", "-05"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    uitest::Station s;
    ui::registerForms(s.rt.functions(), s.ctx);
    ui::Get g = fieldOf(s, "M_NR", Value::character(c.start));
    g.valid = ui::Condition::expression("SZ()");
    s.script.keys({kEnter});
    ui::readOne(s.ctx, g);
    EXPECT_EQ(s.rt.vars().get("M_NR").text(), c.expected);
    EXPECT_EQ(s.now().at(6, 15, static_cast<int>(std::string_view(c.expected).size())), c.expected);
  }
  uitest::Station s;  // outside a form: nothing to fill, still true
  ui::registerForms(s.rt.functions(), s.ctx);
  EXPECT_TRUE(s.rt.evaluate("SZ()").logical());
}

TEST(SP, ZeroFillsTheTableFieldBeingEdited) {
  uitest::Station s;
  ui::registerForms(s.rt.functions(), s.ctx);
  testkit::RecordSource tables;
  tables.open("KONTR", {{"NR", Value::character("42  ")}});
  s.rt.setDataSource(&tables);
  ui::Get g;
  g.var = ui::Variable::field(s.rt, "KONTR", "NR");
  g.valid = ui::Condition::expression("SP()");
  s.script.keys({kEnter});
  ui::readOne(s.ctx, g);
  EXPECT_EQ(tables.field(1, "NR").text(), "0042");
}

TEST(REDISPLAY, RedrawsTheFormsFieldsFromAValidation) {
  uitest::Station s;
  ui::registerForms(s.rt.functions(), s.ctx);
  std::vector<ui::Get> gets;
  for (const char* name : {"M_A", "M_B", "M_C"}) {
    gets.push_back(fieldOf(s, name, Value::character(std::string(1, name[2] - 'A' + 'a'))));
    gets.back().row = 6 + static_cast<int>(gets.size());
  }
  gets[0].valid = [](ui::Context& c) {
    c.rt.vars().set("M_C", Value::character("z"));
    return c.rt.evaluate("REDISPLAY()").logical();
  };
  s.script.keys({kDown, kEsc});
  ui::readForm(s.ctx, gets);
  EXPECT_EQ(s.atRead(0).at(9, 15, 1), "c");
  EXPECT_EQ(s.atRead(1).at(9, 15, 1), "z");  // the third field, which has no focus
}

}  // namespace
