// src/ui/operation.cpp — the operation scope: title, and the tables and area on leaving.
#include "ui/operation.hpp"

#include <exception>
#include <string>

#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "ui/modal_box.hpp"

namespace ui {

using rt::literals::operator""_pl;

namespace {

constexpr char kFullBlock = '\xDB';  // "█" in CP852, the first character of every title row

}  // namespace

std::string Operation::titleRow(std::string_view title) {
  if (title.empty() || title.front() == kFullBlock) return std::string(title);
  return "█▓▓▒▒░░  "_pl + std::string(title) + "  ░░▒▒▓▓█"_pl;
}

Operation::Operation(Context& c, std::string_view title, TitlePlace place)
    : c_(c), leaving_(std::uncaught_exceptions()) {
  if (c.workspace != nullptr) {
    selected_ = c.workspace->selected();
    mark_ = c.workspace->openings();
  }
  c.con.clearScreen();
  const std::string row = titleRow(title);
  const int column = place == TitlePlace::Left ? 0 : (80 - width(row)) / 2;
  if (!row.empty()) c.con.writeCells(0, column, row, c.con.attr(con::Slot::Standard));
}

Operation::~Operation() noexcept(false) {
  db::Workspace* ws = c_.workspace;
  if (ws == nullptr) return;
  const bool unwinding = std::uncaught_exceptions() > leaving_;
  try {
    ws->closeOpenedAfter(mark_);
  } catch (...) {
    ws->select(selected_);
    if (!unwinding) throw;
    return;  // the exception already leaving is the one reported; the menu closes the rest
  }
  ws->select(selected_);
}

}  // namespace ui
