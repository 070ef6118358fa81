// Colour strings to attribute bytes, and the slot rules of the colour setting.
#include "con/colour.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ColourEntry, ParsesLettersNumbersAndMarks) {
  struct Case { const char* entry; con::Attr attr; };
  const Case cases[] = {
      {"W+/B", 0x1F},   {"N/W*", 0xF0},  {"GR+/BG", 0x3E}, {"W/N", 0x07},   {"N/W", 0x70},
      {"W/B+", 0x1F},   // "+" on the background side still brightens the foreground
      {"BG+*/R", 0xCB}, // "*" on the foreground side still sets bit 7
      {" gr + / b ", 0x1E}, {"RG/BR", 0x56}, {"15/1", 0x1F}, {"7/12", 0xC7},
      {"I", 0x70},      {"X", 0x00},     {"U", 0x01},      {"W", 0x07},     {"", 0x00},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_EQ(con::parseColourEntry(c.entry), c.attr);
  }
}

TEST(ColourEntry, FormatsCanonically) {
  EXPECT_EQ(con::formatColourEntry(0x1F), "W+/B");
  EXPECT_EQ(con::formatColourEntry(0xF0), "N/W*");
  EXPECT_EQ(con::formatColourEntry(0x3E), "GR+/BG");
  EXPECT_EQ(con::formatColourEntry(0x08), "N+/N");
  for (int a = 0; a < 256; ++a)
    EXPECT_EQ(con::parseColourEntry(con::formatColourEntry(static_cast<con::Attr>(a))), a) << a;
}

TEST(ColourSetting, AppliesTheSlotRules) {
  struct Case { std::vector<const char*> strings; const char* text; };
  const Case cases[] = {
      {{}, "W/N,N/W,N/N,N/N,N/W"},
      {{"W/N, N/W, N/N,,,,,W+/N"}, "W/N,N/W,N/N,N/N,N/W,N/N,N/N,W+/N"},
      {{"GR+/B"}, "GR+/B,N/W,N/N,N/N,N/W"},                        // fewer entries leave the rest
      {{"W/B, R/W"}, "W/B,R/W,N/N,N/N,R/W"},                      // slot 2 also sets slot 5
      {{"W/B, R/W,,,G/N"}, "W/B,R/W,N/N,N/N,G/N"},                // unless slot 5 is given too
      {{"W/B, R/W", ",,,,B/W"}, "W/B,R/W,N/N,N/N,B/W"},
      {{"W/N, N/W, N/N,,,,,W+/N", "N/W"}, "N/W,N/W,N/N,N/N,N/W,N/N,N/N,W+/N"},  // extra slots are kept
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    con::ColourSetting s;
    for (const char* str : c.strings) s.apply(str);
    EXPECT_EQ(s.text(), c.text);
  }
}

TEST(ColourSetting, ReadBackTextRestoresTheSameSlots) {
  con::ColourSetting s;
  s.apply("GR+/B, W+/R*, N/N,,RB/G");
  const std::string saved = s.text();
  con::ColourSetting t;
  t.apply("N/W, N/W, W/W, W/W, W/W");
  t.apply(saved);
  EXPECT_EQ(t.text(), saved);
  EXPECT_EQ(t.slot(con::Slot::Enhanced), 0xCF);
}

}  // namespace
