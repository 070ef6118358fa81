// src/core/rok_zam.hpp — ROK_ZAM: the year of the current record's DATA_ZAM as four digits
// (four blanks for an empty date), the year part of an order's identity.
#pragma once

#include <string>

#include "ui/context.hpp"

namespace core {

std::string ROK_ZAM(ui::Context& c);

}  // namespace core
