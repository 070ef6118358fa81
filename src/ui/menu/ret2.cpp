// src/ui/menu/ret2.cpp — the placeholder operation.
#include "ui/menu/ret2.hpp"

#include "rt/codepage.hpp"
#include "ui/qke.hpp"

namespace ui {

using rt::literals::operator""_pl;

void RET2(Context& c) {
  c.con.clearScreen();
  QKE(c, "Opcja w opracowaniu"_pl);
}

}  // namespace ui
