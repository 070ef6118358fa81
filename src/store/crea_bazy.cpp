// src/store/crea_bazy.cpp — CREA_BAZY.
#include "store/crea_bazy.hpp"

#include "store/schema.hpp"

namespace store {
namespace {

base::Status createInStation(Tables& t, std::string_view name) {
  return createTable(t, packageTable(name), t.stationFolder() + std::string(name));
}

base::Status copyWhenMissing(Tables& t, std::string_view name, ToProgramFolder to) {
  if (to == ToProgramFolder::No || t.ws.env().exists(t.tablePath(name))) return base::Status::ok();
  return createEmpty(t, name);
}

}  // namespace

base::Status CREA_BAZY(Tables& t, ToProgramFolder to) {
  for (std::string_view name : {"TOW", "KON"})
    if (base::Status s = createInStation(t, name); !s) return s;
  for (std::string_view name : {"SPR_N", "SPR_P"}) {
    if (base::Status s = createInStation(t, name); !s) return s;
    if (base::Status s = copyWhenMissing(t, name, to); !s) return s;
  }
  for (std::string_view name : {"TOW", "KON"})
    if (base::Status s = copyWhenMissing(t, name, to); !s) return s;
  return base::Status::ok();
}

}  // namespace store
