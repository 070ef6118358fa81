// src/rt/data_source.hpp — how expressions see the fields of work areas.
//
// The work-area layer implements this interface and hands it to Runtime::setDataSource;
// the runtime itself knows nothing of tables. Without a data source, expressions see no
// fields at all (a bare name is then always a memory variable).
//
// How the expression engine uses it:
//   D1  names resolve to a FieldHandle once and are then read through the handle. A handle
//       stays valid while epoch() returns the same number; the engine resolves again when it
//       changes. The implementation therefore changes epoch() whenever a resolved name could
//       come to mean something else: a table opened or closed, an alias given or dropped, or
//       another work area selected (a bare name means a field of the current area).
//   D2  a bare name being read is a field of the current area when findField("", name)
//       finds one; otherwise it is a memory variable. Assignment to a bare name always goes
//       to the memory variable; fields are written only through `FIELD->x` or `alias->x`.
//   D3  `alias->name` resolves with findField(alias, name); the aliases "M" and "MEMVAR" are
//       memory variables and never reach the data source, "FIELD" means the current area
//       and is passed as an empty alias.
//   D4  `(area)->(expr)` and `alias->(expr)` run inArea(area, body): the implementation
//       selects the area, evaluates body, and selects the previous area again even when
//       body throws.
//   D5  reads give values typed and sized as the field is: C with its full width, N with
//       width w-d-1 (w when d = 0) and d decimals so that STR() prints w characters, D, L,
//       M (the memo text). A record past the end reads as blank values of each type.
//   D6  errors (unknown alias on inArea, a value of the wrong type or width on write, a
//       record not locked) are raised through Runtime::raise, so the error handler sees them.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "rt/value.hpp"

namespace rt {

class Runtime;

// Opaque to the runtime: the implementation decides what the two numbers mean (typically
// the work-area number and the field's position in the record).
struct FieldHandle {
  std::int32_t area = -1;
  std::int32_t column = -1;
};

enum class FieldLookup { Found, NoField, NoAlias };

struct FieldRef {
  FieldLookup status = FieldLookup::NoField;
  FieldHandle handle;
};

class DataSource {
 public:
  virtual ~DataSource() = default;

  // See D1. Any number; only changes matter.
  virtual std::uint64_t epoch() const = 0;

  // The field `name` (any case) of the area `alias` (any case), or of the current area when
  // alias is empty. NoAlias when no open area has that alias (or there is no current area).
  virtual FieldRef findField(std::string_view alias, std::string_view name) = 0;

  // REQUIRES: h came from findField under the current epoch().
  virtual Value read(Runtime& rt, FieldHandle h) = 0;
  virtual void write(Runtime& rt, FieldHandle h, const Value& v) = 0;

  // `area` is an alias (character) or a work-area number (numeric). See D4.
  virtual Value inArea(Runtime& rt, const Value& area, const std::function<Value()>& body) = 0;

  bool isField(std::string_view name) { return findField({}, name).status == FieldLookup::Found; }
};

}  // namespace rt
