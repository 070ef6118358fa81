// src/ui/memo/memo_text.hpp — memo text as the editor and the viewer see it: a list of hard
// lines (paragraphs), and the wrapped display lines of those paragraphs at a window width.
// Not here: keys and drawing (memo_view.cpp, memo_edit.cpp).
//
// Stored memo text, as other programs and older copies of this one write it:
//   CR LF            a hard line end (a lone CR or a lone LF is read as one too)
//   0x8D LF          a soft line end left by an earlier word wrap: not a line end at all, the
//                    text goes on; it is wrapped again at the width of the window showing it.
//                    0x8D alone is the letter "Ź" of CP852 and stays as it is.
// Written back, hard line ends are CR LF and no soft line end is written: the text carries
// no trace of the width of the window it was last edited in.
//
// Wrapping rules, for each paragraph and a width w >= 1:
//   W1 the display lines of a paragraph cover it without gaps or overlaps, in order;
//   W2 a line that is not the paragraph's last ends just after the last blank among its
//      first w characters; when there is none it holds exactly w characters (a long word
//      is cut);
//   W3 the last line of a paragraph is shorter than w, so the cursor after its last
//      character stays inside the window: a rest of exactly w characters is a full line
//      of its own, followed by one more, empty, line;
//   W4 an empty paragraph is one empty line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ui {

inline constexpr char kSoftBreak = '\x8D';

// The paragraphs of stored memo text; "" gives one empty paragraph.
std::vector<std::string> memoParagraphs(std::string_view stored);

// Paragraphs joined by CR LF: the inverse of memoParagraphs for text without soft breaks.
std::string memoStoredText(const std::vector<std::string>& paragraphs);

struct WrappedLine {
  int paragraph = 0;
  int start = 0;   // offset of the first character in the paragraph
  int length = 0;
  bool last = true;  // the last line of its paragraph
  int end() const { return start + length; }
};

// REQUIRES: width >= 1.
std::vector<WrappedLine> wrapParagraphs(const std::vector<std::string>& paragraphs, int width);

// The display line holding offset `offset` of paragraph `paragraph` (W1: exactly one does;
// the offset just past a non-last line belongs to the next line).
int lineOf(const std::vector<WrappedLine>& lines, int paragraph, int offset);

}  // namespace ui
