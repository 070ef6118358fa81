// src/master/internal/seams.hpp — how the master-data screens reach what lies beside or
// above them, and the frame every one of their operations runs in:
//   * call(): a routine of another subsystem by name, through the runtime's function
//     table (printing, the contact history, the order pricing); a name that no subsystem
//     has registered raises the runtime's "Undefined function" error, so nothing pretends
//     to have worked;
//   * Operation: the title on row 0, and on every way out (return, Esc, a refused lock, a
//     fault) the tables opened inside it closed and the selected area put back;
//   * openTable(): a table through the store's open routine in a free work area, with its
//     index files attached, the first one controlling;
//   * printList(): the print dialog of a list screen, repeated while the printing asks
//     for another round.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/work_area.hpp"
#include "rt/value.hpp"
#include "ui/context.hpp"

namespace master {

// REQUIRES: nothing; raises rt::GenCode::NoFunc through the runtime when `name` is missing.
rt::Value call(ui::Context& c, std::string_view name, std::vector<rt::Value> args = {});

class Operation {
 public:
  // Clears the screen and writes `title` (CP852, decorations included) on row 0 at `col`.
  // REQUIRES: c.workspace and c.tables are set.
  Operation(ui::Context& c, std::string_view title, int col);
  // The same without touching the screen: windows over another screen (KON_INFO).
  explicit Operation(ui::Context& c);
  ~Operation();
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;

 private:
  ui::Context& c_;
  int selected_;
  std::vector<bool> open_;  // which areas held a table when the operation began
};

// "█▓▓▒▒░░  " + title + "  ░░▒▒▓▓█" in CP852, the look of every title row.
std::string titleRow(std::string_view titleUtf8);

// Opens `name` with the store's `mode` in the lowest free area under `alias` (empty: the
// file's name) and attaches `indexes`. nullptr when the operator gave up the wait, or when
// an index file cannot be opened and the error handler was told to give up; the area is
// then closed again. The opened area is selected.
db::WorkArea* openTable(ui::Context& c, std::string_view name, std::string_view mode, std::string_view alias = {},
                        const std::vector<std::string>& indexes = {});

// The print dialog for `screenKey`/`layout` as report `report` under `title` (CP852),
// repeated while the printing leaves the public _NIEKONCZ true.
void printList(ui::Context& c, std::string_view screenKey, std::string_view layout, int report,
               std::string_view title);

// After a list screen: with rows marked (the public _ZAZNACZONE), `area` is restricted to
// them; then from its top the print dialog runs as printList() does.
void printMarked(ui::Context& c, db::WorkArea& area, std::string_view screenKey, std::string_view layout, int report,
                 std::string_view title);

// The index files of `table` as the rebuild catalogue lists them, in their order.
std::vector<std::string> catalogueIndexes(std::string_view table);

// Redraws the list screen that is running (the row being edited included); nothing when
// none runs.
void redrawRunningList(ui::Context& c);

}  // namespace master
