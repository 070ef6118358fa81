// The colour editor: indexes read from the colour strings, key steps with wrapping, the
// strings it saves into both memory files, and leaving without a trace on Esc.
#include <gtest/gtest.h>

#include <filesystem>

#include "con/key_codes.hpp"
#include "rt/mem_save_restore.hpp"
#include "screen_fixture.hpp"
#include "ui/ustaw_kolor.hpp"

namespace {

namespace key = con::key;

TEST(ColourEditor, IndexesOfColourStrings) {
  struct Case { const char* colours; ui::ColourIndexes x; };
  const Case cases[] = {
      {"W/N, N/W, N/N", {12, 1, 1, 12}},
      {"W/N, N/W, N/N,,,,,W+/N", {12, 1, 1, 12}},
      {" gr+ / b ,  rb+/g+", {15, 2, 11, 13}},
      {"GR+/B", {15, 2, 0, 0}},
      {"X/N,N/Y", {0, 1, 1, 0}},
      {"", {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.colours);
    EXPECT_EQ(ui::colourIndexes(c.colours), c.x);
  }
}

struct Editor : ::testing::Test {
  Editor() {
    std::filesystem::create_directory(s.dir / "ST");
    s.ctx.setPublic("_SC", rt::Value::character("ST\\"));
    s.ctx.setPublic("_EKRA_BLO", rt::Value::character("W/N, N/W, N/N"));
    s.ctx.setPublic("_EDIT_BLO", rt::Value::character("W/N, N/W, N/N,,,,,W+/N"));
    s.ctx.setPublic("_SLOW_BLO", rt::Value::character("X/N, N/W, N/N,,,,,W+/N"));
    s.ctx.setPublic("_INNA", rt::Value::character("nie do zapisu"));
    s.paintPattern();
  }
  std::string restored(const std::filesystem::path& file, const char* name) {
    rt::Runtime other;
    EXPECT_TRUE(rt::restoreMemFile(other.vars(), file, rt::RestoreMode::Replace).isOk());
    EXPECT_FALSE(other.vars().exists("_INNA"));
    return other.vars().get(name).isText() ? other.vars().get(name).text() : "<none>";
  }
  uitest::Station s;
};

TEST_F(Editor, SavesTheEditedSettingsIntoBothFiles) {
  const std::string screen = s.script.text();
  // Screen: text W -> G+. Records: monochrome. Dictionary: text X (unknown) steps back to
  // the last code; background N steps back to W+.
  s.script.keys({key::kUp, key::kTab, 'i', 'm', key::kTab, key::kDown, key::kLeft, key::kPgUp, 'z'});
  ui::USTAW_KOLOR(s.ctx);
  const uitest::Shown first = s.atRead(0);
  EXPECT_EQ(first.at(0, 22, 36), "█▓▓▒▒░░  USTAWIENIE KOLORÓW  ░░▒▒▓▓█");
  EXPECT_EQ(first.at(2, 13, 5), "EKRAN");
  EXPECT_EQ(first.attr(2, 13), "70");
  EXPECT_EQ(first.attr(2, 36), "1E");  // the colour current on entry
  EXPECT_EQ(first.at(2, 60, 12), "SŁOWNIK (F8)");
  EXPECT_EQ(first.row(22).find("  ↑ ↓ Tekst"), 0u);
  EXPECT_EQ(first.at(24, 65, 14), "Esc Rezygnacja");
  EXPECT_EQ(s.atRead(1).attr(12, 6), "0A");  // the screen sample in G+/N after Up
  EXPECT_EQ(s.atRead(2).attr(2, 36), "70");  // Tab: the second section is current

  EXPECT_EQ(s.ctx.text("_EKRA_BLO"), "G+/N,N/W, N/N");
  EXPECT_EQ(s.ctx.text("_EDIT_BLO"), "W/N,N/W,N/N,,,,,W+/N");
  EXPECT_EQ(s.ctx.text("_SLOW_BLO"), "W+/W+,N/G+,N/N,,,,,W+/W+");
  EXPECT_EQ(s.con.colour().substr(0, 9), "G+/N,N/W,");
  EXPECT_EQ(s.script.text(), screen);
  EXPECT_EQ(restored(s.dir / "ST" / "ekran.mem", "_SLOW_BLO"), "W+/W+,N/G+,N/N,,,,,W+/W+");
  EXPECT_EQ(restored(s.dir / "dorvik.mem", "_EKRA_BLO"), "G+/N,N/W, N/N");
}

TEST_F(Editor, EscLeavesEverythingAsItWas) {
  const std::string screen = s.script.text(), attrs = s.script.attributes(), colour = s.con.colour();
  const con::Cursor cursor = s.script.cursor();
  s.script.keys({key::kUp, 'M', key::kTab, key::kRight, key::kEsc});
  ui::USTAW_KOLOR(s.ctx);
  EXPECT_EQ(s.ctx.text("_EKRA_BLO"), "W/N, N/W, N/N");
  EXPECT_EQ(s.script.text(), screen);
  EXPECT_EQ(s.script.attributes(), attrs);
  EXPECT_EQ(s.con.colour(), colour);
  EXPECT_EQ(s.script.cursor(), cursor);
  EXPECT_FALSE(std::filesystem::exists(s.dir / "dorvik.mem"));
}

TEST_F(Editor, StepsWrapAroundTheSixteenCodes) {
  struct Case { int key; int times; ui::ColourIndexes after; };
  // From W/N,N/W (12, 1, 1, 12).
  const Case cases[] = {
      {key::kUp, 4, {16, 1, 1, 12}}, {key::kUp, 5, {1, 1, 1, 12}},   {key::kRight, 16, {12, 1, 1, 12}},
      {key::kLeft, 1, {12, 16, 1, 12}}, {key::kHome, 2, {12, 1, 3, 12}}, {key::kEnd, 1, {12, 1, 16, 12}},
      {key::kPgDn, 12, {12, 1, 1, 16}}, {'x', 1, {12, 1, 1, 12}},
  };
  for (const Case& c : cases) {
    s.ctx.colourEditor.known = false;
    s.ctx.colourEditor.section = 0;
    for (int i = 0; i < c.times; ++i) EXPECT_EQ(ui::ZMIEN(s.ctx, c.key), ui::EditorStep::Continue);
    EXPECT_EQ(s.ctx.colourEditor.sections[0], c.after) << c.key;
  }
  EXPECT_EQ(ui::ZMIEN(s.ctx, 'Z'), ui::EditorStep::Save);
  EXPECT_EQ(ui::ZMIEN(s.ctx, key::kEsc), ui::EditorStep::Cancel);
}

}  // namespace
