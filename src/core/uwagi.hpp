// src/core/uwagi.hpp — UWAGI: the remarks line of the current record for a browser's
// comment row: a blank, then the record's UWAGI, cut or padded to 74 characters.
#pragma once

#include <string>

#include "ui/context.hpp"

namespace core {

std::string UWAGI(ui::Context& c);

}  // namespace core
