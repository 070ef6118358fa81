// src/ui/area_position.hpp — what the field checks (REDEF, UNIK1) share: the record and order
// of a work area put back after a check, the order an argument names, and whether
// the current record's key under an order is a given value.
#pragma once

#include <cstdint>

#include "db/work_area.hpp"
#include "rt/value.hpp"

namespace ui {

// The area's record and controlling order, to be put back after a look elsewhere. Not a
// destructor's job: putting a record back reads the table, which may fail, and a failure
// must reach the caller as a fault.
class AreaPosition {
 public:
  explicit AreaPosition(db::WorkArea& area) : area_(area), recno_(area.recno()), order_(area.orderNumber()) {}
  void restore();

 private:
  db::WorkArea& area_;
  std::uint32_t recno_;
  int order_;
};

// The order an argument names: its number (1-based), or the name of its index file without
// folder and extension, any case. 0 when it names none.
int orderNumberOf(db::WorkArea& area, const rt::Value& order);

// True when the area stands on a record whose key under the controlling order starts with
// the key of `value` (as SEEK compares). False at EOF or without an order.
bool keyIs(db::WorkArea& area, const rt::Value& value);

}  // namespace ui
