// The memo editor on the scripted screen: storing with Ctrl+W, dropping with Esc, typing
// with word wrap, the editing keys, soft line ends in the text it is given, and hot keys.
#include "ui/memo/memo_edit.hpp"

#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "ui/screen_fixture.hpp"

namespace {

namespace key = con::key;
using namespace rt::literals;

// Rows 19..22, columns 2..11: four lines of ten characters.
constexpr con::Rect kWindow{19, 2, 22, 11};
constexpr int kCtrlT = 20, kCtrlY = 25;

TEST(MemoEdit, CtrlWStoresTheTypedTextWithCrLf) {
  uitest::Station s;
  s.script.type("Zażółć");
  s.script.keys({key::kIns, key::kEnter});  // insert mode: Enter splits
  s.script.type("gęślą");
  s.script.key(key::kCtrlEnd);
  const auto text = ui::editMemo(s.ctx, "", kWindow);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, "Zażółć\r\ngęślą"_pl);
  EXPECT_EQ(s.now().at(19, 2, 10), "Zażółć    ");
  EXPECT_EQ(s.now().at(20, 2, 10), "gęślą     ");
}

TEST(MemoEdit, EscDropsTheChangesAfterAskingAndNoGoesOnEditing) {
  uitest::Station s;
  s.script.type("xy");
  s.script.keys({key::kEsc, 'N', key::kEsc, 'T'});
  EXPECT_EQ(ui::editMemo(s.ctx, "abc", kWindow), std::nullopt);
  // Reads: x, y, Esc, the question's N, Esc, the question's T.
  ASSERT_EQ(s.device.shown.size(), 6u);
  EXPECT_TRUE(s.atRead(3).row(12).find("Porzucić wprowadzone zmiany ? (T/N)") != std::string::npos);
  EXPECT_EQ(s.atRead(4).at(19, 2, 3), "xyc");  // overwrite mode; the question has gone
}

TEST(MemoEdit, EscWithoutChangesAsksNothing) {
  uitest::Station s;
  s.script.keys({key::kRight, key::kEsc});
  EXPECT_EQ(ui::editMemo(s.ctx, "abc", kWindow), std::nullopt);
  EXPECT_EQ(s.device.shown.size(), 2u);
}

TEST(MemoEdit, UnchangedTextIsGivenBackByteForByte) {
  uitest::Station s;
  s.script.keys({key::kDown, key::kCtrlEnd});
  const std::string stored = "ala ma \x8D\nkota";
  EXPECT_EQ(ui::editMemo(s.ctx, stored, kWindow), stored);
}

TEST(MemoEdit, TypingWrapsAtTheWindowWidthAndStoresNoSoftBreaks) {
  uitest::Station s;
  s.script.type("ala ma kota i psa");
  s.script.key(key::kCtrlEnd);
  EXPECT_EQ(ui::editMemo(s.ctx, "", kWindow), "ala ma kota i psa");
  EXPECT_EQ(s.now().at(19, 2, 10), "ala ma    ");
  EXPECT_EQ(s.now().at(20, 2, 10), "kota i psa");
  EXPECT_EQ(s.now().at(21, 2, 10), "          ");  // the full line's cursor line
  EXPECT_EQ(s.now().cursor, (con::Cursor{21, 2, con::CursorShape::Normal}));
}

TEST(MemoEdit, SoftLineEndsAreReadAsWrapPoints) {
  uitest::Station s;
  s.script.keys({key::kCtrlPgDn, key::kCtrlEnd});
  // Wrapped once at another width; here the paragraph is one line of the window.
  EXPECT_EQ(ui::editMemo(s.ctx, "a b \x8D\nc d\r\ne", kWindow), "a b \x8D\nc d\r\ne");
  EXPECT_EQ(s.atRead(0).at(19, 2, 10), "a b c d   ");
  EXPECT_EQ(s.atRead(0).at(20, 2, 10), "e         ");
  EXPECT_EQ(s.atRead(1).cursor.row, 20);  // Ctrl+PgDn: the end of the text
  EXPECT_EQ(s.atRead(1).cursor.col, 3);
}

TEST(MemoEdit, EditingKeys) {
  struct Case {
    const char* name;
    std::string stored;
    std::vector<int> keys;
    std::string result;
  };
  const Case cases[] = {
      {"overwrite", "abc", {'x', 'y', 'z', 'w'}, "xyzw"},
      {"insert", "abc", {key::kIns, 'x'}, "xabc"},
      {"Del", "abc", {key::kDel}, "bc"},
      {"Del joins the next line", "ab\r\ncd", {key::kEnd, key::kDel}, "abcd"},
      {"Backspace joins the previous line", "ab\r\ncd", {key::kDown, key::kHome, key::kBackspace}, "abcd"},
      {"Backspace", "abc", {key::kEnd, key::kBackspace}, "ab"},
      {"Enter in overwrite mode moves on", "ab\r\ncd", {key::kEnter, 'x'}, "ab\r\nxd"},
      {"Enter in overwrite mode after the last line", "ab", {key::kEnter, 'x'}, "ab\r\nx"},
      {"Enter splits in insert mode", "abcd", {key::kIns, key::kRight, key::kRight, key::kEnter}, "ab\r\ncd"},
      {"Ctrl+Y deletes the line", "ab\r\ncd\r\nef", {key::kDown, kCtrlY}, "ab\r\nef"},
      {"Ctrl+Y on a wrapped line", "ala ma kota i psa", {kCtrlY}, "kota i psa"},
      {"Ctrl+T deletes a word", "ala ma kota", {key::kCtrlRight, kCtrlT}, "ala kota"},
      {"Up and Down keep the column", "abcdef\r\nx\r\nabcdef", {key::kEnd, key::kDown, key::kDown, 'Z'},
       "abcdef\r\nx\r\nabcdefZ"},
      {"Tab to the next stop", "", {key::kIns, 'a', key::kTab, 'b'}, "a   b"},
      {"PgDn and Ctrl+PgUp", "1\r\n2\r\n3\r\n4\r\n5\r\n6", {key::kPgDn, key::kCtrlPgUp, 'x'}, "x\r\n2\r\n3\r\n4\r\n5\r\n6"},
      {"Ctrl+Left", "ala ma kota", {key::kCtrlPgDn, key::kCtrlLeft, 'X'}, "ala ma Xota"},
      {"Ctrl+Home goes to the window's first line", "1\r\n2\r\n3\r\n4\r\n5\r\n6",
       {key::kCtrlPgDn, key::kCtrlHome, 'x'}, "1\r\n2\r\nx\r\n4\r\n5\r\n6"},
      {"PgDn moves a window down", "1\r\n2\r\n3\r\n4\r\n5\r\n6", {key::kPgDn, 'x'}, "1\r\n2\r\n3\r\n4\r\nx\r\n6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uitest::Station s;
    for (int k : c.keys) s.script.key(k);
    s.script.key(key::kCtrlEnd);
    EXPECT_EQ(ui::editMemo(s.ctx, c.stored, kWindow), c.result);
  }
}

TEST(MemoEdit, ScrollsToKeepTheCursorInTheWindow) {
  uitest::Station s;
  s.script.keys({key::kCtrlPgDn, key::kCtrlEnd});
  ui::editMemo(s.ctx, "1\r\n2\r\n3\r\n4\r\n5\r\n6", kWindow);
  EXPECT_EQ(s.atRead(1).at(19, 2, 1), "3");
  EXPECT_EQ(s.atRead(1).at(22, 2, 1), "6");
  EXPECT_EQ(s.atRead(1).cursor.row, 22);
}

TEST(MemoEdit, BoundHotKeysRunWhileEditing) {
  uitest::Station s;
  std::string where;
  s.con.bindings().bind(key::kF1, [&](const con::HotKeyCall& call) { where = call.procedure; });
  s.script.keys({key::kF1, 'x', key::kCtrlEnd});
  EXPECT_EQ(ui::editMemo(s.ctx, "abc", kWindow), "xbc");
  EXPECT_EQ(where, "MEMOEDIT");
}

}  // namespace
