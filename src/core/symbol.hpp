// src/core/symbol.hpp — SYMBOL: the order symbol of the current record, KONTO + ROK_ZAM() +
// NR_ZAM ("00001" "2016" "0042"), the prefix of every order key. An order is identified by
// account, year and number; a number recurs in another year or for another account.
#pragma once

#include <string>

#include "ui/context.hpp"

namespace core {

std::string SYMBOL(ui::Context& c);

}  // namespace core
