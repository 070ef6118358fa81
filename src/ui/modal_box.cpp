// src/ui/modal_box.cpp — the shared frame, centring and restore of the modal boxes.
#include "ui/modal_box.hpp"

#include <algorithm>
#include <cmath>

#include "con/box.hpp"

namespace ui {
namespace {

std::string filledFrame() { return std::string(con::kDoubleFrame) + " "; }

}  // namespace

int centredLeft(int w) { return static_cast<int>(std::floor((79 - w) / 2.0)); }

int footerColumn(int left, int w, int footerLength) {
  return left + static_cast<int>(std::floor(w / 2.0 - footerLength / 2.0));
}

std::string padded(std::string_view text) { return " " + std::string(text) + " "; }

std::string padRight(std::string_view text, int w) {
  std::string s(text.substr(0, static_cast<std::size_t>(std::max(w, 0))));
  s.resize(static_cast<std::size_t>(std::max(w, 0)), ' ');
  return s;
}

std::string trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

int width(std::string_view cp852) { return static_cast<int>(cp852.size()); }

ModalBox::ModalBox(con::Console& con, con::Rect frame, std::string_view colour)
    : con_(con), area_(frame), saved_(con.save(frame)), cursor_(con.cursor()) {
  colour_ = con_.setColour(colour);
  con_.setCursorShape(con::CursorShape::None);
  con_.box(frame, filledFrame());
}

ModalBox::~ModalBox() {
  con_.beginUpdate();
  con_.restore(area_, saved_);
  con_.setColour(colour_);
  con_.moveCursor(cursor_.row, cursor_.col);
  con_.setCursorShape(cursor_.shape);
  con_.endUpdate();
}

void drawFrame(con::Console& con, con::Rect frame, std::string_view colour) {
  const std::string previous = con.setColour(colour);
  con.box(frame, filledFrame());
  con.setColour(previous);
}

}  // namespace ui
