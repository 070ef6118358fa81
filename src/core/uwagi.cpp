// src/core/uwagi.cpp — the remarks line of the current record.
#include "core/uwagi.hpp"

#include "core/current_record.hpp"

namespace core {

std::string UWAGI(ui::Context& c) {
  const rt::Value remarks = requiredField(c, "UWAGI");
  std::string line = " " + (remarks.isText() ? remarks.text() : std::string());
  line.resize(74, ' ');
  return line;
}

}  // namespace core
