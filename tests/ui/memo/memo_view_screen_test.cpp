// The read-only memo viewer on the scripted screen: wrapping at the window width, soft line
// ends, scrolling, the key hook and the keys that close it.
#include "ui/memo/memo_view.hpp"

#include <gtest/gtest.h>

#include "con/key_codes.hpp"
#include "ui/screen_fixture.hpp"

namespace {

namespace key = con::key;

// Rows 5..7, columns 10..19: three lines of ten characters.
constexpr con::Rect kWindow{5, 10, 7, 19};

// Ten paragraphs "linia 0" .. "linia 9", the first two joined by a soft line end.
std::string tenLines() {
  std::string s = "linia 0 \x8D\nlinia 1";
  for (int i = 2; i < 10; ++i) s += "\r\nlinia " + std::to_string(i);
  return s;
}

TEST(MemoView, ShowsTheTextWrappedAtTheWindowWidth) {
  uitest::Station s;
  s.script.key(key::kEsc);
  // "linia 0 linia 1" is one paragraph: it wraps after "linia 0 ".
  EXPECT_EQ(ui::viewMemo(s.ctx, tenLines(), kWindow), key::kEsc);
  const uitest::Shown& first = s.atRead(0);
  EXPECT_EQ(first.at(5, 10, 10), "linia 0   ");
  EXPECT_EQ(first.at(6, 10, 10), "linia 1   ");
  EXPECT_EQ(first.at(7, 10, 10), "linia 2   ");
  EXPECT_EQ(first.at(8, 10, 10), std::string(10, ' '));  // nothing below the window
  EXPECT_EQ(first.cursor.shape, con::CursorShape::None);
}

TEST(MemoView, ScrollsWithinTheText) {
  struct Case {
    std::vector<int> keys;
    std::string topLine;
  };
  const Case cases[] = {
      {{key::kDown}, "linia 1"},
      {{key::kPgDn}, "linia 3"},
      {{key::kPgDn, key::kPgDn, key::kPgDn, key::kPgDn}, "linia 7"},  // stops at the last window
      {{key::kEnd}, "linia 7"},
      {{key::kCtrlPgDn, key::kUp}, "linia 6"},
      {{key::kPgDn, key::kHome}, "linia 0"},
      {{key::kUp, key::kPgUp}, "linia 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys.size());
    uitest::Station s;
    for (int k : c.keys) s.script.key(k);
    s.script.key(key::kCtrlEnd);  // Ctrl+W closes too
    EXPECT_EQ(ui::viewMemo(s.ctx, tenLines(), kWindow), key::kCtrlEnd);
    EXPECT_EQ(s.now().at(5, 10, 7), c.topLine);
  }
}

TEST(MemoView, TheHookSeesEveryKeyFirst) {
  uitest::Station s;
  s.script.keys({key::kPgDn, 'x', key::kEsc, key::kEnter});
  std::vector<int> seen;
  const int closing = ui::viewMemo(s.ctx, tenLines(), kWindow, [&](int k) {
    seen.push_back(k);
    if (k == key::kPgDn || k == key::kEsc) return ui::ViewKey::Handled;  // PgDn and Esc taken over
    if (k == key::kEnter) return ui::ViewKey::Close;
    return ui::ViewKey::Default;
  });
  EXPECT_EQ(closing, key::kEnter);
  EXPECT_EQ(seen, (std::vector<int>{key::kPgDn, 'x', key::kEsc, key::kEnter}));
  EXPECT_EQ(s.now().at(5, 10, 7), "linia 0");  // the PgDn did not scroll
}

TEST(MemoView, PutsTheCursorShapeBack) {
  uitest::Station s;
  s.con.setCursorShape(con::CursorShape::Insert);
  s.script.key(key::kEsc);
  ui::viewMemo(s.ctx, "", kWindow);
  EXPECT_EQ(s.con.cursor().shape, con::CursorShape::Insert);
}

}  // namespace
