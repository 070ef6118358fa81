// Editing one field in place: pictures while typing, numbers, dates, logicals, the editing
// keys, insert mode, scrolling, and the variables a field can edit.
#include <gtest/gtest.h>

#include <variant>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "rt/date.hpp"
#include "screen_fixture.hpp"
#include "testkit/record_source.hpp"
#include "ui/form/read_form.hpp"

namespace {

using namespace con::key;
using namespace rt::literals;
using rt::Value;

constexpr int kCtrlT = 20, kCtrlU = 21, kCtrlY = 25;

// A script step: typed text (UTF-8) or one key code.
using Step = std::variant<std::string_view, int>;

void play(uitest::Station& s, std::initializer_list<Step> steps) {
  for (const Step& st : steps) {
    if (const auto* text = std::get_if<std::string_view>(&st))
      s.script.type(*text);
    else
      s.script.key(std::get<int>(st));
  }
}

ui::Get memvarGet(uitest::Station& s, const char* name, Value v, std::string picture) {
  s.rt.vars().set(name, std::move(v));
  ui::Get g;
  g.row = 5;
  g.col = 10;
  g.var = ui::Variable::memvar(s.rt, name);
  g.picture = std::move(picture);
  return g;
}

std::string shownText(const Value& v) {
  if (v.isText()) return v.text();
  if (v.isLogical()) return v.logical() ? ".T." : ".F.";
  if (v.isDate()) return v.date().dtos();
  return std::to_string(v.num());
}

TEST(ReadOne, TypingUnderPicturesGivesTheClassicValues) {
  struct Case {
    const char* what;
    Value start;
    std::string picture;
    std::initializer_list<Step> keys;
    Value expected;
  };
  const rt::Value date = Value::date(rt::Date::fromYmd(2024, 3, 5));
  const Case cases[] = {
      {"a number clears on the first key", Value::number(12.5, 3, 2), "999.99", {"7", kEnter}, Value::number(7, 3, 2)},
      {"a cursor key first keeps the number", Value::number(12.5, 3, 2), "999.99", {kRight, "9", kEnter},
       Value::number(92.5, 3, 2)},
      {"the decimal point jumps", Value::number(12.5, 3, 2), "999.99", {"75.2", kEnter}, Value::number(75.2, 3, 2)},
      {"a comma is a decimal point too", Value::number(0, 3, 2), "999.99", {"4,5", kEnter}, Value::number(4.5, 3, 2)},
      {"a leading minus makes it negative", Value::number(0, 4, 2), "9999.99", {"-12", kEnter},
       Value::number(-12, 4, 2)},
      {"minus then point keeps the sign", Value::number(0, 3, 2), "999.99", {"-.5", kEnter},
       Value::number(-0.5, 3, 2)},
      {"@E: the comma is the decimal point", Value::number(1234.5, 6, 2), "@E 999,999.99", {"12,5", kEnter},
       Value::number(12.5, 6, 2)},
      {"letters are refused in a number", Value::number(12, 3, 0), "999", {"a", kEnter}, Value::number(12, 3, 0)},
      {"no picture: the number's own width", Value::number(3, 5, 2), "", {"123.4", kEnter}, Value::number(123.4, 5, 2)},
      {"typing past the integer places runs into the decimals", Value::number(0, 3, 2), "999.99", {"12345"},
       Value::number(123.45, 3, 2)},
      {"@! upper-cases what is typed", Value::character("     "), "@!", {"abć", kEnter}, Value::character("ABĆ  "_pl)},
      {"! template position upper-cases", Value::character("xx"), "!X", {"ab", kEnter}, Value::character("Ab")},
      {"@K clears on the first key", Value::character("hello"), "@K", {"x", kEnter}, Value::character("x    ")},
      {"without @K typing overwrites", Value::character("hello"), "", {"x", kEnter}, Value::character("xello")},
      {"@K after a cursor key does not clear", Value::character("hello"), "@K", {kRight, "x", kEnter},
       Value::character("hxllo")},
      {"literals are skipped and kept without @R", Value::character("12345"), "99-999", {"987", kEnter},
       Value::character("98-75")},
      {"@R removes the literals from the value", Value::character("12345"), "@R 99-999", {"98765"},
       Value::character("98765")},
      {"A refuses digits", Value::character("  "), "AA", {"1x2y", kEnter}, Value::character("xy")},
      {"9 refuses letters in text", Value::character("   "), "999", {"1a2", kEnter}, Value::character("12 ")},
      {"a short picture keeps the rest of the value", Value::character("abcdef"), "XXX", {"zz", kEnter},
       Value::character("zzcdef")},
      {"a date typed out", Value::date(rt::Date()), "", {"050324"}, date},
      {"a blank date stays empty", Value::date(rt::Date()), "", {kEnter}, Value::date(rt::Date())},
      {"L takes T/F/Y/N", Value::logical(false), "L", {"t"}, Value::logical(true)},
      {"Y takes Y/N only", Value::logical(true), "Y", {"t", "n"}, Value::logical(false)},
      {"Del pulls the rest left", Value::character("abcd"), "", {kDel, kEnter}, Value::character("bcd ")},
      {"Backspace deletes to the left", Value::character("ab  "), "", {kEnd, kBackspace, kEnter},
       Value::character("a   ")},
      {"Ctrl+Y blanks to the end", Value::character("abcd"), "", {kRight, kCtrlY, kEnter}, Value::character("a   ")},
      {"Ctrl+T deletes the word to the right", Value::character("ab cd"), "", {kCtrlT, kEnter},
       Value::character("cd   ")},
      {"Ctrl+Right then Ctrl+Left", Value::character("ab cd"), "", {kCtrlRight, "X", kCtrlLeft, kCtrlLeft, "Y", kEnter},
       Value::character("Yb Xd")},
      {"Ctrl+Backspace deletes the word to the left", Value::character("ab cd"), "", {kCtrlRight, kCtrlBackspace, kEnter},
       Value::character("cd   ")},
      {"Ctrl+U undoes the typing", Value::character("abcd"), "", {"xy", kCtrlU, kEnter}, Value::character("abcd")},
      {"Home goes to the first editable place", Value::character("12345"), "99-999", {kEnd, kHome, "7", kEnter},
       Value::character("72-45")},
      {"Del inside a segment stops at the literal", Value::character("12345"), "@R 99-999", {kDel, kEnter},
       Value::character("2 345")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uitest::Station s;
    ui::Get g = memvarGet(s, "M_X", c.start, c.picture);
    play(s, c.keys);
    const ui::ReadResult r = ui::readOne(s.ctx, g);
    EXPECT_TRUE(r.saved());
    const Value got = s.rt.vars().get("M_X");
    EXPECT_EQ(shownText(got), shownText(c.expected));
    EXPECT_EQ(got.type(), c.expected.type());
    if (got.isNumber()) {
      EXPECT_EQ(got.numberParts().decimals, c.expected.numberParts().decimals);
    }
  }
}

TEST(ReadOne, TheBufferIsShownWhileTyping) {
  struct Case {
    const char* what;
    Value start;
    std::string picture;
    std::initializer_list<Step> keys;  // the screen is read at the key after these
    const char* shown;
  };
  const Case cases[] = {
      {"a number at focus", Value::number(12.5, 3, 2), "999.99", {}, " 12.50"},
      {"a number cleared by the first key", Value::number(12.5, 3, 2), "999.99", {"7"}, "7  .  "},
      {"the point re-formats the integer part", Value::number(0, 3, 2), "999.99", {"75."}, " 75.00"},
      {"minus and digits", Value::number(0, 4, 2), "9999.99", {"-12"}, "-12 .  "},
      {"the zero of @Z shows while edited", Value::number(0, 2, 0), "@Z 99", {}, " 0"},
      {"a date at focus", Value::date(rt::Date::fromYmd(2024, 3, 5)), "", {}, "05.03.24"},
      {"@R shows the literals", Value::character("12345"), "@R 99-999", {}, "12-345"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uitest::Station s;
    ui::Get g = memvarGet(s, "M_X", c.start, c.picture);
    play(s, c.keys);
    s.script.key(kEsc);
    ui::readOne(s.ctx, g);
    const uitest::Shown& at = s.atRead(s.device.shown.size() - 1);
    EXPECT_EQ(at.at(5, 10, static_cast<int>(std::string_view(c.shown).size())), c.shown);
    EXPECT_EQ(at.cursor.row, 5);
  }
}

TEST(ReadOne, AnImpossibleDateKeepsTheFocus) {
  uitest::Station s;
  ui::Get g = memvarGet(s, "M_X", Value::date(rt::Date()), "");
  play(s, {"310216", kEnter, kHome, "28", kEnter});
  ui::readOne(s.ctx, g);
  EXPECT_EQ(s.rt.vars().get("M_X").date(), rt::Date::fromYmd(2016, 2, 28));
  EXPECT_EQ(s.atRead(6).at(5, 10, 8), "31.02.16");  // Enter refused: the buffer is kept
  EXPECT_TRUE(s.script.scriptDone());
}

TEST(ReadOne, InsertModeShiftsTheRestAndChangesTheCursor) {
  uitest::Station s;
  ui::Get g = memvarGet(s, "M_X", Value::character("abcd"), "");
  s.con.setCursorShape(con::CursorShape::Normal);
  play(s, {kIns, "x", kIns, "y", kEnter});
  ui::readOne(s.ctx, g);
  EXPECT_EQ(s.rt.vars().get("M_X").text(), "xybc");
  EXPECT_EQ(s.atRead(1).cursor.shape, con::CursorShape::Insert);
  EXPECT_EQ(s.atRead(3).cursor.shape, con::CursorShape::Normal);
  EXPECT_FALSE(s.ctx.insertMode);
}

TEST(ReadOne, AScrollingFieldShowsAWindowThatFollowsTheCursor) {
  uitest::Station s;
  ui::Get g = memvarGet(s, "M_X", Value::character("abcdefgh"), "@S3");
  play(s, {kRight, kRight, kRight, kRight, kEsc});
  ui::readOne(s.ctx, g);
  EXPECT_EQ(s.atRead(0).at(5, 10, 4), "abc ");
  EXPECT_EQ(s.atRead(4).at(5, 10, 3), "cde");
  EXPECT_EQ(s.atRead(4).cursor.col, 12);
  EXPECT_EQ(s.now().at(5, 10, 4), "abc ");  // without focus: the first three again
}

TEST(ReadOne, EscGivesBackTheValueAndSaysSo) {
  uitest::Station s;
  ui::Get g = memvarGet(s, "M_X", Value::character("abc"), "");
  play(s, {"xyz", kEsc});  // typing out with confirm on keeps the focus
  s.rt.settings().confirm = true;
  const ui::ReadResult r = ui::readOne(s.ctx, g);
  EXPECT_EQ(r.end, ui::FormEnd::Escaped);
  EXPECT_EQ(r.lastKey, kEsc);
  EXPECT_FALSE(r.updated);
  EXPECT_EQ(s.rt.vars().get("M_X").text(), "abc");
}

TEST(ReadOne, ArrowsEndTheCellOnlyWhenAskedTo) {
  uitest::Station s;
  ui::Get g = memvarGet(s, "M_X", Value::character("abc"), "");
  play(s, {"x", kDown, "y", kUp});
  ui::ReadOptions edges;
  edges.exitAtEdges = true;
  ui::ReadResult r = ui::readOne(s.ctx, g, edges);
  EXPECT_EQ(r.lastKey, kDown);
  EXPECT_TRUE(r.saved());
  EXPECT_EQ(s.rt.vars().get("M_X").text(), "xbc");
  s.script.key(kEnter);
  r = ui::readOne(s.ctx, g);  // Up stays in the field, Enter ends it
  EXPECT_EQ(r.lastKey, kEnter);
  EXPECT_EQ(s.rt.vars().get("M_X").text(), "ybc");
}

TEST(ReadOne, ACellWithItsOwnGetterAndSetterAtAGivenWidth) {
  uitest::Station s;
  std::string cell = "Kowalski  ";
  int writes = 0;
  ui::Get g;
  g.row = 7;
  g.col = 30;
  g.width = 6;
  g.var = ui::Variable("NAZWA", [&] { return Value::character(cell); },
                       [&](const Value& v) { cell = v.text(), ++writes; });
  play(s, {kEnd, "i", kEnter});
  ui::readOne(s.ctx, g);
  EXPECT_EQ(cell, "Kowalskii ");
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(s.atRead(0).at(7, 30, 7), "Kowals ");  // six columns, the next one untouched
  EXPECT_EQ(s.atRead(1).at(7, 30, 6), "alski ");  // End: just after the last letter
  s.script.key(kEnter);
  ui::readOne(s.ctx, g);
  EXPECT_EQ(writes, 1);  // nothing typed: nothing written
}

TEST(ReadOne, TableFieldsAndArrayElementsAreVariablesToo) {
  uitest::Station s;
  testkit::RecordSource tables;
  tables.open("ZAM", {{"ILOSC", Value::number(5, 4, 0)}});
  s.rt.setDataSource(&tables);
  ui::Get g;
  g.var = ui::Variable::field(s.rt, "ZAM", "ILOSC");
  EXPECT_EQ(g.var.name(), "ZAM->ILOSC");
  play(s, {"42", kEnter});
  ui::readOne(s.ctx, g);
  EXPECT_EQ(tables.field(1, "ILOSC").num(), 42);

  Value list = Value::newArray(2);
  (*list.array())[1] = Value::character("ab");
  g.var = ui::Variable::element(s.rt, list, 2);
  play(s, {"z", kEnter});
  ui::readOne(s.ctx, g);
  EXPECT_EQ((*list.array())[1].text(), "zb");

  g.var = ui::Variable::field(s.rt, "NIEMA", "X");
  EXPECT_THROW(g.var.get(), rt::RuntimeError);
}

}  // namespace
