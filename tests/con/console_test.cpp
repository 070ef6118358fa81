// The console over the scripted device: what reaches the device and when, the cursor and
// the colour setting.
#include "con/console.hpp"

#include <gtest/gtest.h>

#include "con/headless.hpp"
#include "rt/codepage.hpp"

namespace {

using namespace rt::literals;

struct Fixture {
  con::HeadlessDevice device;
  con::Console console{device, device.clock()};
};

TEST(ConsoleUpdate, NothingIsSentUntilTheOutermostEnd) {
  Fixture f;
  const int before = f.device.presentCount();
  f.console.beginUpdate();
  f.console.beginUpdate();
  EXPECT_EQ(f.console.updateDepth(), 2);
  f.console.write(1, 1, "abc");
  f.console.box({2, 2, 5, 10}, con::kDoubleFrame);
  f.console.moveCursor(7, 7);
  f.console.endUpdate();
  f.console.write(1, 5, "def");
  EXPECT_EQ(f.device.presentCount(), before);
  EXPECT_FALSE(f.device.shows("abc"));
  f.console.endUpdate();
  EXPECT_EQ(f.device.presentCount(), before + 1);
  EXPECT_EQ(f.device.row(1).substr(0, 8), " abc def");
  EXPECT_EQ(f.device.cursor(), (con::Cursor{1, 8, con::CursorShape::Normal}));
  f.console.endUpdate();  // unmatched: harmless
  EXPECT_EQ(f.console.updateDepth(), 0);
}

TEST(ConsoleDraw, WritesInSlotColoursAndMovesTheCursorAsTextDoes) {
  Fixture f;
  f.console.setColour("GR+/B, W+/R");
  f.console.write(3, 4, "Zażółć"_pl);
  EXPECT_EQ(f.device.find("Zażółć"), (std::pair{3, 4}));
  EXPECT_EQ(f.device.cell(3, 4).attr, 0x1E);
  EXPECT_EQ(f.console.cursor().row, 3);
  EXPECT_EQ(f.console.cursor().col, 10);
  f.console.write(5, 0, "x", con::Slot::Enhanced);
  EXPECT_EQ(f.device.cell(5, 0).attr, 0x4F);
  f.console.writeCells(6, 6, "y", 0x70);
  EXPECT_EQ(f.console.cursor().row, 5);
}

TEST(ConsoleDraw, ClearingUsesTheStandardColourAndPlacesTheCursor) {
  Fixture f;
  f.console.fill(con::Rect::whole(), 'x', 0x07);
  f.console.setColour("W/B");
  f.console.clearRow(2, 70);
  EXPECT_EQ(f.device.rowText(2, 68, 12), "xx          ");
  EXPECT_EQ(f.device.cell(2, 75).attr, 0x17);
  EXPECT_EQ(f.console.cursor(), (con::Cursor{2, 70, con::CursorShape::Normal}));
  f.console.clearFrom(20, 78);
  EXPECT_EQ(f.device.rowText(24, 76, 4), "xx  ");
  EXPECT_EQ(f.device.rowText(19, 76, 4), "xxxx");
  f.console.clearScreen();
  EXPECT_FALSE(f.device.shows("x"));
  EXPECT_EQ(f.console.cursor().row, 0);
}

TEST(ConsoleDraw, SaveAndRestoreAreExactAndLeaveTheCursor) {
  Fixture f;
  f.console.write(10, 10, "under the box");
  f.console.moveCursor(10, 12);
  const std::string before = f.device.region(con::Rect::whole());
  const std::string saved = f.console.save({8, 8, 14, 30});
  f.console.box({8, 8, 14, 30}, con::kSingleFrame, 0x70);
  f.console.restore({8, 8, 14, 30}, saved);
  EXPECT_EQ(f.device.region(con::Rect::whole()), before);
  EXPECT_EQ(f.console.cursor().col, 12);
}

TEST(ConsoleCursor, ShapeIsShownAndThePreviousOneReturned) {
  Fixture f;
  EXPECT_EQ(f.console.setCursorShape(con::CursorShape::Block), con::CursorShape::Normal);
  EXPECT_EQ(f.console.setCursorShape(con::CursorShape::None), con::CursorShape::Block);
  EXPECT_EQ(f.device.cursor().shape, con::CursorShape::None);
}

TEST(ConsoleColour, SetReturnsThePreviousSettingForRestoring) {
  Fixture f;
  const std::string previous = f.console.setColour("N/W, W/N");
  EXPECT_EQ(previous, "W/N,N/W,N/N,N/N,N/W");
  EXPECT_EQ(f.console.attr(con::Slot::Standard), 0x70);
  f.console.setColour(previous);
  EXPECT_EQ(f.console.colour(), previous);
}

}  // namespace
