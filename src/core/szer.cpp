// src/core/szer.cpp — SZER: each character followed by a blank when _SZER is on.
#include "core/szer.hpp"

#include "core/program_vars.hpp"

namespace core {

std::string SZER(const rt::Runtime& rt, std::string_view text) {
  if (!SZER_(rt)) return std::string(text);
  std::string spread;
  spread.reserve(text.size() * 2);
  for (char c : text) {
    spread += c;
    spread += ' ';
  }
  return spread;
}

}  // namespace core
