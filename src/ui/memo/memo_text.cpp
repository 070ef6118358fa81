// src/ui/memo/memo_text.cpp — stored memo text to paragraphs and back; word wrap.
#include "ui/memo/memo_text.hpp"

#include <algorithm>

#include "base/check.hpp"

namespace ui {
namespace {

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

void wrapOne(const std::string& text, int paragraph, int width, std::vector<WrappedLine>& out) {
  const int n = static_cast<int>(text.size());
  int start = 0;
  while (n - start > width) {
    int cut = start + width;
    for (int i = start + width - 1; i > start; --i)
      if (isBlank(text[static_cast<std::size_t>(i)])) {
        cut = i + 1;
        break;
      }
    out.push_back({paragraph, start, cut - start, false});
    start = cut;
  }
  if (n - start == width) {  // W3
    out.push_back({paragraph, start, width, false});
    start = n;
  }
  out.push_back({paragraph, start, n - start, true});
}

}  // namespace

std::vector<std::string> memoParagraphs(std::string_view stored) {
  std::vector<std::string> out(1);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const char ch = stored[i];
    const bool next = i + 1 < stored.size();
    if (ch == kSoftBreak && next && stored[i + 1] == '\n') {
      ++i;  // a soft line end: the paragraph goes on
    } else if (ch == '\r') {
      if (next && stored[i + 1] == '\n') ++i;
      out.emplace_back();
    } else if (ch == '\n') {
      out.emplace_back();
    } else {
      out.back() += ch;
    }
  }
  return out;
}

std::string memoStoredText(const std::vector<std::string>& paragraphs) {
  std::string out;
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += paragraphs[i];
  }
  return out;
}

std::vector<WrappedLine> wrapParagraphs(const std::vector<std::string>& paragraphs, int width) {
  ZEL_CHECK(width >= 1);
  std::vector<WrappedLine> out;
  for (std::size_t p = 0; p < paragraphs.size(); ++p) wrapOne(paragraphs[p], static_cast<int>(p), width, out);
  return out;
}

int lineOf(const std::vector<WrappedLine>& lines, int paragraph, int offset) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const WrappedLine& l = lines[i];
    if (l.paragraph != paragraph) continue;
    if (offset < l.end() || l.last) return static_cast<int>(i);
  }
  return lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
}

}  // namespace ui
