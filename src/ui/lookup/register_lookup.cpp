// src/ui/lookup/register_lookup.cpp — the dictionaries' routines by name.
#include "ui/lookup/register_lookup.hpp"

#include <algorithm>

#include "ui/lookup/lookup.hpp"
#include "ui/lookup/small_routines.hpp"

namespace ui::lookup {
namespace {

bool allNil(const rt::Args& a) {
  return std::all_of(a.all().begin(), a.all().end(), [](const rt::Value& v) { return v.isNil(); });
}

std::string textOf(const rt::Value& v) { return v.isText() ? v.text() : std::string(); }

}  // namespace

void registerLookup(rt::FunctionTable& fns, Context& c) {
  fns.add("SL", [&c](rt::Runtime&, rt::Args& a) { return rt::Value::logical(SL(c, slArgs(a))); });
  fns.add("SLGET", [&c](rt::Runtime&, rt::Args& a) {
    if (allNil(a)) {
      SLGET(c);
      return rt::Value::logical(true);
    }
    return rt::Value::logical(SLGET(c, slArgs(a)));
  });
  fns.add("SLR", [&c](rt::Runtime&, rt::Args& a) { return rt::Value::logical(SLR(c, slrArgs(a))); });
  fns.add("SLRGET", [&c](rt::Runtime&, rt::Args& a) {
    if (allNil(a)) {
      SLRGET(c);
      return rt::Value::logical(true);
    }
    return rt::Value::logical(SLRGET(c, slrArgs(a)));
  });
  fns.add("ZERUJ", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(ZERUJ(c)); });
  fns.add("PODAJ_REK", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(PODAJ_REK(c)); });
  fns.add("ADJUSTNAME", [](rt::Runtime&, rt::Args& a) {
    return rt::Value::character(ADJUSTNAME(textOf(a[0]), textOf(a[1])));
  });
  fns.add("ADDFILTER", [&c](rt::Runtime&, rt::Args& a) {
    db::WorkArea* area = c.workspace != nullptr ? c.workspace->current() : nullptr;
    if (area != nullptr) ADDFILTER(*area, textOf(a[0]), a[1].isText() ? a[1].text() : std::string(".and."));
    return rt::Value();
  });
  fns.add("PRINTCONT", [&c](rt::Runtime&, rt::Args& a) {
    PRINTCONT(c, textOf(a[0]));
    return rt::Value();
  });
}

}  // namespace ui::lookup
