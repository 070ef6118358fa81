// src/core/stop_sort.cpp — giving up an index rebuild on Esc.
#include "core/stop_sort.hpp"

#include <string>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "ui/break.hpp"
#include "ui/qtn.hpp"

namespace core {

using rt::literals::operator""_pl;

void STOP_SORT(ui::Context& c) {
  if (c.con.inkey(con::KeyWait::none()) != con::key::kEsc) return;
  if (!ui::QTN(c, "Przerwać sortowanie ?"_pl)) return;
  c.con.writeCells(23, 0, std::string(41, ' '), c.con.attr(con::Slot::Standard));
  if (c.workspace != nullptr) c.workspace->closeAll();
  throw ui::Break();
}

}  // namespace core
