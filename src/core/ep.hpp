// src/core/ep.hpp — EP: a year as typed in a form made into four digits ("16" -> "2016").
#pragma once

#include <string>
#include <string_view>

#include "rt/runtime.hpp"

namespace core {

// The year of the date "01.01." + yearText read under the date layout and epoch in force:
// with epoch 1950, "16" gives "2016" and "85" gives "1985"; a four-digit year stays as it is.
// Text that does not make a year gives four blanks, as ROK does for the empty date.
std::string EP(const rt::Runtime& rt, std::string_view yearText);

}  // namespace core
