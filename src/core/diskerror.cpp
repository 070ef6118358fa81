// src/core/diskerror.cpp — the failed-drive message.
#include "core/diskerror.hpp"

#include "rt/codepage.hpp"
#include "ui/break.hpp"
#include "ui/qke.hpp"

namespace core {

using rt::literals::operator""_pl;

void DISKERROR(ui::Context& c) {
  ui::QKE(c, "Błąd napędu. Powtórz operację."_pl);
  throw ui::Break();
}

}  // namespace core
