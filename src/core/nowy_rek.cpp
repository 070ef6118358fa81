// src/core/nowy_rek.cpp — whether the current line has its goods code.
#include "core/nowy_rek.hpp"

#include "core/current_record.hpp"

namespace core {

bool NOWY_REK(ui::Context& c) {
  const rt::Value code = requiredField(c, "INDEKS");
  const db::WorkArea* area = selectedArea(c);
  const bool atEnd = area == nullptr || area->eof();
  return !(code.isEmpty() && !atEnd);
}

}  // namespace core
