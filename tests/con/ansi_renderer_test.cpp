// The bytes sent to a terminal: only changed cells, DOS colours in ANSI order, UTF-8 text.
#include "con/ansi_renderer.hpp"

#include <gtest/gtest.h>

namespace {

con::Screen::Grid blank() { return con::Screen::Grid{}; }

TEST(AnsiRenderer, SendsOnlyTheChangedCell) {
  con::AnsiRenderer r;
  auto grid = blank();
  const con::Cursor cursor{0, 0, con::CursorShape::Normal};
  const std::string first = r.render(grid, cursor);
  EXPECT_GT(first.size(), 2000u);  // the first frame is sent whole
  EXPECT_EQ(r.render(grid, cursor), "");
  grid[3 * 80 + 10] = con::Cell{'x', 0x07};
  EXPECT_EQ(r.render(grid, cursor), "\x1B[4;11Hx\x1B[1;1H");
  grid[3 * 80 + 11] = con::Cell{'y', 0x07};
  grid[3 * 80 + 12] = con::Cell{'z', 0x07};
  EXPECT_EQ(r.render(grid, cursor), "\x1B[4;12Hyz\x1B[1;1H");  // neighbours go in one run
  r.invalidate();
  EXPECT_GT(r.render(grid, cursor).size(), 2000u);
}

TEST(AnsiRenderer, SwapsRedAndBlueAndUsesBrightBackgrounds) {
  struct Case { con::Attr attr; const char* sgr; };
  const Case cases[] = {
      {0x1F, "\x1B[97;44m"},  // W+/B
      {0x4E, "\x1B[93;41m"},  // GR+/R
      {0x30, "\x1B[30;46m"},  // N/BG
      {0xF0, "\x1B[30;107m"}, // N/W*
      {0xC1, "\x1B[34;101m"}, // B/R*
      {0x08, "\x1B[90;40m"},  // N+/N
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sgr);
    con::AnsiRenderer r;
    auto grid = blank();
    r.render(grid, {});
    grid[0] = con::Cell{'a', c.attr};
    EXPECT_EQ(r.render(grid, {}), std::string("\x1B[1;1H") + c.sgr + "a" + "\x1B[1;1H");
  }
}

TEST(AnsiRenderer, SendsCp852AsUtf8AndControlBytesAsGlyphs) {
  con::AnsiRenderer r;
  auto grid = blank();
  r.render(grid, {});
  const unsigned char bytes[] = {0xC9, 0xB0, 0xBD, 0xA5, 0x18, 0x19};  // ╔ ░ Ż ą ↑ ↓
  for (int i = 0; i < 6; ++i) grid[static_cast<std::size_t>(i)] = con::Cell{bytes[i], 0x07};
  EXPECT_EQ(r.render(grid, {}), "\x1B[1;1H╔░Żą↑↓\x1B[1;1H");
}

TEST(AnsiRenderer, ShowsCursorShapesAndHidesTheCursor) {
  struct Case { con::CursorShape shape; const char* xterm; const char* linux; };
  const Case cases[] = {
      {con::CursorShape::None, "\x1B[?25l", "\x1B[?25l"},
      {con::CursorShape::Insert, "\x1B[5 q", "\x1B[?4c"},
      {con::CursorShape::Block, "\x1B[1 q", "\x1B[?6c"},
      {con::CursorShape::UpperHalf, "\x1B[2 q", "\x1B[?5c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.shape));
    for (bool linuxConsole : {false, true}) {
      con::AnsiRenderer r({linuxConsole});
      const auto grid = blank();
      r.render(grid, {5, 5, con::CursorShape::Normal});
      EXPECT_EQ(r.render(grid, {5, 5, c.shape}), linuxConsole ? c.linux : c.xterm);
    }
  }
  con::AnsiRenderer r;
  r.render(blank(), {0, 0, con::CursorShape::None});
  EXPECT_EQ(r.render(blank(), {24, 80, con::CursorShape::Normal}), "\x1B[25;80H\x1B[3 q\x1B[?25h");
}

}  // namespace
