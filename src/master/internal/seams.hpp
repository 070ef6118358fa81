// src/master/internal/seams.hpp — what the master-data screens share beside the screen
// framework (routines of other subsystems are called by name through ui::call, and every
// menu operation runs inside ui::Operation):
//   * TableScope: the tables of a window closed and the selected area put back on every
//     way out;
//   * openTable(): a table through the store's open routine in a free work area, with its
//     index files attached, the first one controlling;
//   * printList(), printMarked(): the print dialog of a list screen, repeated while the
//     printing asks for another round;
//   * redrawRunningList(): the list being edited drawn again after a routine changed it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/work_area.hpp"
#include "rt/value.hpp"
#include "ui/context.hpp"

namespace master {

// The tables opened while it lives are closed, and the area selected when it began is
// selected again, on every way out; the screen is left alone. For the windows that open
// over another screen (the information windows of the hot keys); a whole operation uses
// ui::Operation, which also clears the screen and writes the title.
class TableScope {
 public:
  explicit TableScope(ui::Context& c);
  ~TableScope();
  TableScope(const TableScope&) = delete;
  TableScope& operator=(const TableScope&) = delete;

 private:
  ui::Context& c_;
  int selected_;
  std::uint64_t mark_;
};

// Opens `name` with the store's `mode` in the lowest free area under `alias` (empty: the
// file's name) and attaches `indexes`. nullptr when the operator gave up the wait, or when
// an index file cannot be opened and the error handler was told to give up; the area is
// then closed again. The opened area is selected.
db::WorkArea* openTable(ui::Context& c, std::string_view name, std::string_view mode, std::string_view alias = {},
                        const std::vector<std::string>& indexes = {});

// The print dialog for `screenKey`/`layout` as report `report` under `title` (CP852), over
// the selected area, offered again for as long as the printing asks for it.
void printList(ui::Context& c, std::string_view screenKey, std::string_view layout, int report,
               std::string_view title);

// After a list screen: with rows marked (the public _ZAZNACZONE), `area` is restricted to
// them; then `area` is selected and from its top the print dialog runs as printList() does.
void printMarked(ui::Context& c, db::WorkArea& area, std::string_view screenKey, std::string_view layout, int report,
                 std::string_view title);

// The index files of `table` as the rebuild catalogue lists them, in their order.
std::vector<std::string> catalogueIndexes(std::string_view table);

// Redraws the list screen that is running (the row being edited included); nothing when
// none runs.
void redrawRunningList(ui::Context& c);

}  // namespace master
