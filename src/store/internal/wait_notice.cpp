// src/store/internal/wait_notice.cpp — the waiting notice of the table store.
#include "store/internal/wait_notice.hpp"

#include <algorithm>

#include "con/box.hpp"

namespace store {

namespace {
constexpr int kTopRow = 10;
}  // namespace

std::string centredIn(const std::string& text, int width) {
  const int len = static_cast<int>(text.size());
  if (len >= width) return text.substr(0, static_cast<std::size_t>(width));
  const int left = (width - len) / 2;
  return std::string(static_cast<std::size_t>(left), ' ') + text +
         std::string(static_cast<std::size_t>(width - len - left), ' ');
}

WaitNotice::WaitNotice(con::Console& con, std::vector<std::string> lines) : con_(con), lines_(std::move(lines)) {
  for (const std::string& l : lines_) width_ = std::max(width_, static_cast<int>(l.size()));
  const int left = (79 - width_) / 2;
  area_ = con::Rect{kTopRow, left - 1, kTopRow + static_cast<int>(lines_.size()) + 1, left + width_};
  saved_ = con_.save(area_);
  cursor_ = con_.cursor();
}

WaitNotice::~WaitNotice() { hide(); }

void WaitNotice::show() {
  if (shown_) return;
  con_.beginUpdate();
  con_.box(area_, con::kDoubleFrame);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    con_.write(kTopRow + 1 + static_cast<int>(i), area_.left + 1, centredIn(lines_[i], width_));
  con_.endUpdate();
  shown_ = true;
}

void WaitNotice::hide() {
  if (!shown_) return;
  con_.restore(area_, saved_);
  con_.moveCursor(cursor_.row, cursor_.col);
  shown_ = false;
}

}  // namespace store
