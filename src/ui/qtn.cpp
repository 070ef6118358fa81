// src/ui/qtn.cpp — the yes/no questions.
#include "ui/qtn.hpp"

#include <algorithm>

#include "ui/modal_box.hpp"

namespace ui {
namespace {

bool awaitAnswer(Context& c) {
  for (;;) {
    const int k = c.con.inkey(con::KeyWait::forever());
    if (k == 'T' || k == 't') return true;
    if (k == 'N' || k == 'n') return false;
  }
}

}  // namespace

bool QTN(Context& c, std::string_view question) {
  const std::string line = " " + trimmed(question) + " (T/N) ";
  const int w = width(line);
  const int left = centredLeft(w);
  ModalBox box(c.con, {kMiddleRow - 1, left - 1, kMiddleRow + 1, left + w}, kBoxColour);
  c.con.write(kMiddleRow, left, line);
  return awaitAnswer(c);
}

bool QTN_2W(Context& c, std::string_view firstLine, std::string_view question) {
  const std::string first = " " + trimmed(firstLine) + " ";
  const std::string second = " " + trimmed(question) + " (T/N) ";
  const int w = std::max(width(first), width(second));
  const int left = centredLeft(w);
  ModalBox box(c.con, {10, left - 1, 13, left + w}, kBoxColour);
  c.con.write(11, left + (w - width(first)) / 2, first);
  c.con.write(12, left + (w - width(second)) / 2, second);
  return awaitAnswer(c);
}

}  // namespace ui
