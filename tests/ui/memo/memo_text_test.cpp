// Memo text: hard and soft line ends of stored text, writing back, word wrap.
#include "ui/memo/memo_text.hpp"

#include <gtest/gtest.h>

namespace {

using Paras = std::vector<std::string>;

TEST(MemoText, StoredLineEndsAreReadAsParagraphs) {
  struct Case {
    std::string stored;
    Paras paragraphs;
  };
  const Case cases[] = {
      {"", {""}},
      {"abc", {"abc"}},
      {"ab\r\ncd", {"ab", "cd"}},
      {"ab\r\n", {"ab", ""}},
      {"ab\r\n\r\ncd", {"ab", "", "cd"}},
      {"ala ma \x8D\nkota", {"ala ma kota"}},        // a soft line end is no line end
      {"ala\x8D\nkot\r\npies", {"alakot", "pies"}},
      {"\x8D" "ab", {"\x8D" "ab"}},                  // 0x8D alone is a letter
      {"ab\x8D\r\ncd", {"ab\x8D", "cd"}},            // a letter before a hard line end
      {"ab\ncd\re", {"ab", "cd", "e"}},              // lone LF and lone CR end lines too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(ui::memoParagraphs(c.stored), c.paragraphs);
  }
}

TEST(MemoText, WrittenBackWithCrLfAndNoSoftBreaks) {
  EXPECT_EQ(ui::memoStoredText(ui::memoParagraphs("ala ma \x8D\nkota\r\n\r\npsa")), "ala ma kota\r\n\r\npsa");
  EXPECT_EQ(ui::memoStoredText({""}), "");
}

std::vector<std::string> shown(const Paras& p, int width) {
  std::vector<std::string> out;
  for (const ui::WrappedLine& l : ui::wrapParagraphs(p, width))
    out.push_back(p[static_cast<std::size_t>(l.paragraph)].substr(static_cast<std::size_t>(l.start),
                                                                 static_cast<std::size_t>(l.length)));
  return out;
}

TEST(MemoText, WrapsAfterTheLastBlankThatFits) {
  struct Case {
    Paras paragraphs;
    int width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {{"ala ma kota"}, 20, {"ala ma kota"}},
      {{"ala ma kota"}, 7, {"ala ma ", "kota"}},
      {{"ala ma kota"}, 6, {"ala ", "ma ", "kota"}},
      {{"abcdefghij"}, 4, {"abcd", "efgh", "ij"}},  // a word longer than the window is cut
      {{"abcd"}, 4, {"abcd", ""}},                   // a full last line gets an empty one after it
      {{"kota i psa"}, 10, {"kota i psa", ""}},      // an exact fit is not wrapped at its blank
      {{"", "xy"}, 4, {"", "xy"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paragraphs.front() + " @" + std::to_string(c.width));
    EXPECT_EQ(shown(c.paragraphs, c.width), c.lines);
  }
}

TEST(MemoText, EveryOffsetHasOneLine) {
  const Paras p{"ala ma kota", "x"};
  const auto lines = ui::wrapParagraphs(p, 6);  // "ala ", "ma ", "kota" | "x"
  EXPECT_EQ(ui::lineOf(lines, 0, 0), 0);
  EXPECT_EQ(ui::lineOf(lines, 0, 3), 0);
  EXPECT_EQ(ui::lineOf(lines, 0, 4), 1);  // just past a wrapped line: the next one
  EXPECT_EQ(ui::lineOf(lines, 0, 11), 2);
  EXPECT_EQ(ui::lineOf(lines, 1, 1), 3);
}

}  // namespace
