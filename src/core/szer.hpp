// src/core/szer.hpp — SZER: text spread out for wide printouts ("AB" -> "A B ") when the
// program-wide switch _SZER is on; unchanged otherwise.
#pragma once

#include <string>
#include <string_view>

#include "rt/runtime.hpp"

namespace core {

std::string SZER(const rt::Runtime& rt, std::string_view text);

}  // namespace core
