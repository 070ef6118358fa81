// The cell grid: boxes, save/restore, recolouring and scrolling.
#include "con/screen.hpp"

#include <gtest/gtest.h>

#include "con/box.hpp"

namespace {

using con::Rect;
using con::Screen;

// The characters of a rectangle, one string per row; "." for a cell still blank.
std::vector<std::string> chars(const Screen& s, Rect r) {
  std::vector<std::string> out;
  for (int row = r.top; row <= r.bottom; ++row) {
    std::string line;
    for (int col = r.left; col <= r.right; ++col) {
      const auto ch = s.at(row, col).ch;
      line += ch == ' ' ? '.' : static_cast<char>(ch);
    }
    out.push_back(line);
  }
  return out;
}

TEST(Box, DrawsFrameStrings) {
  struct Case { const char* name; std::string frame; Rect box; std::vector<std::string> expect; };
  const std::string abc = "ABCDEFGH";
  const Case cases[] = {
      {"eight leave the inside", abc, {1, 1, 4, 5}, {".......", ".ABBBC.", ".H...D.", ".H...D.", ".GFFFE.", "......."}},
      {"nine fill it", abc + "*", {1, 1, 4, 5}, {".......", ".ABBBC.", ".H***D.", ".H***D.", ".GFFFE.", "......."}},
      {"short repeats the last", "AB", {1, 1, 3, 4}, {"......", ".ABBB.", ".B..B.", ".BBBB.", "......"}},
      {"one row is a line of the top side", abc, {2, 1, 2, 4}, {"......", "......", ".BBBB.", "......"}},
      {"one column is a line of the right side", abc, {1, 2, 3, 2}, {".....", "..D..", "..D..", "..D..", "....."}},
      {"two by two has only corners", abc, {1, 1, 2, 2}, {"....", ".AC.", ".GE.", "...."}},
      {"upside down draws nothing", abc, {3, 1, 1, 4}, {"......", "......", "......", "......"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Screen s;
    con::drawBox(s, c.box, c.frame, 0x1F);
    const Rect around{0, 0, static_cast<int>(c.expect.size()) - 1, static_cast<int>(c.expect[0].size()) - 1};
    EXPECT_EQ(chars(s, around), c.expect);
  }
}

TEST(Box, EmptyFrameBlanksTheAreaInTheGivenColour) {
  Screen s;
  s.fill({0, 0, 4, 4}, 'x', 0x07);
  con::drawBox(s, {1, 1, 3, 3}, "", 0x1E);
  EXPECT_EQ(chars(s, {0, 0, 4, 4}), (std::vector<std::string>{"xxxxx", "x...x", "x...x", "x...x", "xxxxx"}));
  EXPECT_EQ(s.at(2, 2).attr, 0x1E);
  EXPECT_EQ(s.at(0, 0).attr, 0x07);
}

TEST(Box, DoubleFrameUsesTheCp852Bytes) {
  Screen s;
  con::drawBox(s, {0, 0, 2, 2}, con::kDoubleFrame, 0x70);
  EXPECT_EQ(s.at(0, 0).ch, 201);
  EXPECT_EQ(s.at(0, 1).ch, 205);
  EXPECT_EQ(s.at(0, 2).ch, 187);
  EXPECT_EQ(s.at(1, 2).ch, 186);
  EXPECT_EQ(s.at(2, 2).ch, 188);
  EXPECT_EQ(s.at(2, 0).ch, 200);
}

TEST(SaveRestore, HoldsCharacterThenAttributeRowByRow) {
  Screen s;
  s.write(3, 10, "ab", 0x1F);
  s.write(4, 10, "cd", 0x70);
  EXPECT_EQ(s.save({3, 10, 4, 11}), std::string("a\x1F" "b\x1F" "c\x70" "d\x70"));
  EXPECT_EQ(s.save({3, 10, 2, 11}), "");
}

TEST(SaveRestore, RoundTripIsByteExactAndClipped) {
  Screen s;
  for (int r = 0; r < con::kRows; ++r)
    for (int c = 0; c < con::kCols; ++c) s.put(r, c, static_cast<std::uint8_t>(r * 7 + c), static_cast<con::Attr>(c * 3 + r));
  const Screen before = s;
  const std::string saved = s.save({20, 70, 30, 100});  // clipped to rows 20..24, columns 70..79
  EXPECT_EQ(saved.size(), 5u * 10u * 2u);
  s.fill(Rect::whole(), ' ', 0x07);
  s.restore({20, 70, 30, 100}, saved);
  for (int r = 20; r < con::kRows; ++r)
    for (int c = 70; c < con::kCols; ++c) EXPECT_EQ(s.at(r, c), before.at(r, c));
  EXPECT_EQ(s.at(19, 70).ch, ' ');
}

TEST(SaveRestore, RestoreIntoAnotherShapeFollowsTheByteOrder) {
  Screen s;
  s.write(0, 0, "abcd", 0x07);
  const std::string saved = s.save({0, 0, 0, 3});
  s.restore({5, 0, 6, 1}, saved);              // 1 x 4 into 2 x 2
  EXPECT_EQ(chars(s, {5, 0, 6, 1}), (std::vector<std::string>{"ab", "cd"}));
  s.restore({8, 0, 8, 5}, saved.substr(0, 5)); // runs out after two whole cells
  EXPECT_EQ(chars(s, {8, 0, 8, 5}), (std::vector<std::string>{"ab...."}));
}

TEST(Screen, WriteIsCutAtTheRightEdgeAndRecolourKeepsCharacters) {
  Screen s;
  EXPECT_EQ(s.write(0, 77, "abcde", 0x1F), 82);
  EXPECT_EQ(chars(s, {0, 76, 0, 79}), (std::vector<std::string>{".abc"}));
  EXPECT_EQ(s.at(1, 0).ch, ' ');
  s.recolour({0, 78, 5, 90}, 0x4E);
  EXPECT_EQ(s.at(0, 78), (con::Cell{'b', 0x4E}));
  EXPECT_EQ(s.at(0, 77).attr, 0x1F);
}

TEST(Screen, ScrollsARegion) {
  struct Case { int rows; std::vector<std::string> expect; };
  const Case cases[] = {
      {1, {"x222x", "x333x", "x...x", "xxxxx"}},
      {-1, {"x...x", "x111x", "x222x", "xxxxx"}},
      {0, {"x...x", "x...x", "x...x", "xxxxx"}},
      {3, {"x...x", "x...x", "x...x", "xxxxx"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    Screen s;
    s.fill({0, 0, 3, 4}, 'x', 0x07);
    s.write(0, 1, "111", 0x07);
    s.write(1, 1, "222", 0x07);
    s.write(2, 1, "333", 0x07);
    s.scroll({0, 1, 2, 3}, c.rows, 0x1F);
    EXPECT_EQ(chars(s, {0, 0, 3, 4}), c.expect);
  }
}

}  // namespace
