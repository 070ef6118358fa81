// src/ui/operation.cpp — the operation scope: title, and the tables and area on leaving.
#include "ui/operation.hpp"

#include <exception>
#include <string>

#include "base/check.hpp"
#include "db/workspace.hpp"
#include "store/use.hpp"
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

db::WorkArea* Operation::use(std::string_view name, std::string_view mode, std::string_view alias,
                             base::SourceLocation where) {
  ZEL_CHECK(c_.workspace != nullptr && c_.tables != nullptr);
  const int before = c_.workspace->selected();
  c_.workspace->select(0);
  store::Caller caller = store::callerAt(where);
  if (!c_.calls.empty()) caller.procedure = c_.calls.back().routine;  // the operation, not its helper
  if (store::USE_(*c_.tables, name, mode, alias, caller)) return c_.workspace->current();
  c_.workspace->select(before);
  return nullptr;
}

void Operation::closeTables() {
  if (c_.workspace == nullptr) return;
  c_.workspace->closeOpenedAfter(mark_);
  c_.workspace->select(selected_);
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
