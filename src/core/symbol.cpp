// src/core/symbol.cpp — the order symbol of the current record.
#include "core/symbol.hpp"

#include "core/current_record.hpp"
#include "core/rok_zam.hpp"

namespace core {

std::string SYMBOL(ui::Context& c) {
  const rt::Value account = requiredField(c, "KONTO");
  const std::string year = ROK_ZAM(c);
  const rt::Value number = requiredField(c, "NR_ZAM");
  return (account.isText() ? account.text() : std::string()) + year + (number.isText() ? number.text() : std::string());
}

}  // namespace core
