// src/master/internal/fields.hpp — reading and writing the fields of work areas from the
// master-data routines as a stored expression would: a missing alias or field raises the
// runtime's error (Alias does not exist / Variable does not exist), and a write that the
// table refuses (not locked, read-only, too wide) raises the error of a field assignment.
// When the error handler answers with a default instead of ending, the routine gives up
// through ui::Break.
#pragma once

#include <string>
#include <string_view>

#include "db/work_area.hpp"
#include "rt/value.hpp"
#include "ui/context.hpp"

namespace master {

// The area open under `alias`.
db::WorkArea& areaNamed(ui::Context& c, std::string_view alias);
// The current area.
db::WorkArea& currentArea(ui::Context& c);

// The position of `name` in `a`.
std::size_t fieldAt(ui::Context& c, db::WorkArea& a, std::string_view name);
rt::Value fieldValue(ui::Context& c, db::WorkArea& a, std::string_view name);
double fieldNumber(ui::Context& c, db::WorkArea& a, std::string_view name);
std::string fieldText(ui::Context& c, db::WorkArea& a, std::string_view name);
// Whether `a` has the field (no error either way).
bool hasField(db::WorkArea& a, std::string_view name);

void storeField(ui::Context& c, db::WorkArea& a, std::string_view name, const rt::Value& v);
void storeNumber(ui::Context& c, db::WorkArea& a, std::string_view name, double v);

// The number of the order of `a` kept in the index file `stem` (any case, no folder or
// extension); 0 when `a` has no such order.
int orderNamed(db::WorkArea& a, std::string_view stem);

// Puts an area's order and record back however a look-up in it ends.
class KeepPosition {
 public:
  explicit KeepPosition(db::WorkArea& a) : a_(a), order_(a.orderNumber()), recno_(a.recno()) {}
  ~KeepPosition() {
    a_.setOrder(order_);
    a_.goTo(recno_);
  }
  KeepPosition(const KeepPosition&) = delete;
  KeepPosition& operator=(const KeepPosition&) = delete;

 private:
  db::WorkArea& a_;
  int order_;
  std::uint32_t recno_;
};

// The text without its trailing blanks / without blanks at either end.
std::string trimRight(std::string_view s);
std::string trimBoth(std::string_view s);

}  // namespace master
