// src/core/ep.cpp — EP: a four-digit year from a typed one.
#include "core/ep.hpp"

#include "core/rok.hpp"
#include "rt/date_text.hpp"

namespace core {

std::string EP(const rt::Runtime& rt, std::string_view yearText) {
  return ROK(rt::ctod("01.01." + std::string(yearText), rt.settings()));
}

}  // namespace core
