// src/core/info.cpp — the payment-term explanation.
#include "core/info.hpp"

#include "rt/codepage.hpp"

namespace core {

using rt::literals::operator""_pl;

void INFO(ui::Context& c) {
  c.con.write(23, 0, "jest minimalnym terminem płatności faktury zawierającej ten towar"_pl);
  c.con.inkey(con::KeyWait::forever());
}

}  // namespace core
