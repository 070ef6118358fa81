// src/core/rap_err.hpp — RAP_ERR: one line of the error log ERR_LOG (text, procedure, line),
// written only when the table exists; logging never stops the caller.
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace core {

// REQUIRES: c.tables is set.
void RAP_ERR(ui::Context& c, std::string_view text, std::string_view procedure, int line);

}  // namespace core
