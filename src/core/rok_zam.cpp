// src/core/rok_zam.cpp — the order year of the current record.
#include "core/rok_zam.hpp"

#include "core/current_record.hpp"
#include "core/rok.hpp"

namespace core {

std::string ROK_ZAM(ui::Context& c) {
  const rt::Value date = requiredField(c, "DATA_ZAM");
  return ROK(date.isDate() ? date.date() : rt::Date());
}

}  // namespace core
