// src/ui/halo_table.hpp — the main screen's message table: the table HALO of the program
// folder, one text line a record (TEKST), grouped by the number LP, with the index HALO on
// LP. The message box (halo.hpp) reads it through MessageSource.
//
// Each question opens the table read-only in a free work area and closes it again; the
// area selected before is selected again. A missing index is built first, with the table
// opened exclusively. Nothing here waits or reports: a table that is missing, held by
// another station or broken gives no answer, and the box shows nothing.
#pragma once

#include "store/tables.hpp"
#include "ui/context.hpp"

namespace ui {

class HaloTable final : public MessageSource {
 public:
  explicit HaloTable(store::Tables& t) : t_(t) {}
  std::optional<int> groupCount() override;  // LP of the last record
  std::optional<std::vector<std::string>> groupLines(int group) override;

 private:
  store::Tables& t_;
};

}  // namespace ui
