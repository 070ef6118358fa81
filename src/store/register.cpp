// src/store/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed routines of the data store. An argument of the wrong type raises the
// runtime's argument error naming the routine, as a built-in function does.
#include "store/register.hpp"

#include <algorithm>
#include <cmath>

#include "rt/arguments.hpp"
#include "rt/error.hpp"
#include "rt/runtime.hpp"
#include "store/blok.hpp"
#include "store/crea_bazy.hpp"
#include "store/dir_exist.hpp"
#include "store/exist.hpp"
#include "store/goods_code/zmiana.hpp"
#include "store/info_log.hpp"
#include "store/tables.hpp"
#include "store/use.hpp"
#include "store/zaokr.hpp"

namespace store {
namespace {

using rt::argumentError;
using rt::toInt;

std::string textOr(const rt::Value& v, std::string_view fallback) {
  return v.isText() ? v.text() : std::string(fallback);
}

}  // namespace

void registerStore(rt::FunctionTable& fns) {
  fns.add("ZAOKR", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber() || !a[1].isNumber()) return argumentError(rt, "ZAOKR");
    return rt::Value::number(ZAOKR(a[0].num(), toInt(a[1].num())));
  });
}

void registerTables(rt::FunctionTable& fns, Tables& t) {
  fns.add("_USE", [&t](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "_USE");
    return rt::Value::logical(USE_(t, a[0].text(), textOr(a[1], ""), textOr(a[2], ""), Caller{"_USE", 0}));
  });
  fns.add("RBLOK", [&t](rt::Runtime&, rt::Args&) { RBLOK(t); return rt::Value(); });
  fns.add("FBLOK", [&t](rt::Runtime&, rt::Args&) { FBLOK(t); return rt::Value(); });
  fns.add("APPE_BLOK", [&t](rt::Runtime&, rt::Args&) { APPE_BLOK(t); return rt::Value(); });
  fns.add("EXIST", [&t](rt::Runtime&, rt::Args& a) {
    const std::optional<int> order = a[2].isNumber() ? std::optional<int>(toInt(a[2].num())) : std::nullopt;
    return rt::Value::logical(EXIST(t, a[0], a[1], order));
  });
  fns.add("CREA_BAZY", [&t](rt::Runtime& rt, rt::Args& a) {
    const bool both = a[0].isLogical() && a[0].logical();
    const base::Status s = CREA_BAZY(t, both ? ToProgramFolder::Yes : ToProgramFolder::No);
    if (!s) {
      rt::Error e;
      e.genCode = rt::GenCode::Create;
      e.subsystem = "DBFNTX";
      e.subCode = 1004;
      e.description = "Create error: " + s.toString();
      e.operation = "CREA_BAZY";
      rt.raise(e);
    }
    return rt::Value();
  });
  fns.add("INFO_LOG", [&t](rt::Runtime&, rt::Args& a) {
    INFO_LOG(t, a[0].isText() ? a[0].text() : std::string(), a[1]);
    return rt::Value();
  });
  fns.add("ZMIANA", [&t](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNil() && !a[0].isLogical()) return argumentError(rt, "ZMIANA");
    ZMIANA(t, a[0].isNil() || a[0].logical());
    return rt::Value();
  });
  fns.add("DIR_EXIST", [&t](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "DIR_EXIST");
    return rt::Value::logical(DIR_EXIST(t, a[0].text()));
  });
}

}  // namespace store
