// src/core/station_print_settings.cpp — the station's own copy of PARADRUK.
#include "core/station_print_settings.hpp"

#include <cstdint>
#include <span>
#include <vector>

#include "base/fault.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "store/use.hpp"

namespace core {

bool copyFileWhole(sys::Env& env, const std::string& from, const std::string& to) {
  auto in = env.open(from, sys::Access::ReadOnly);
  if (!in) return false;
  auto out = env.open(to + ".tmp", sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!out) return false;
  std::vector<std::byte> buf(64 * 1024);
  std::uint64_t at = 0;
  for (;;) {
    auto n = (*in)->readAt(at, buf);
    if (!n) return false;
    if (*n == 0) break;
    if (!(*out)->writeAt(at, std::span(buf.data(), *n))) return false;
    at += *n;
  }
  if (!(*out)->sync()) return false;
  out->reset();
  return env.rename(to + ".tmp", to).isOk();
}

void copyPrintSettings(store::Tables& t) {
  sys::Env& env = t.ws.env();
  const std::string sc = t.stationFolder();
  const std::string own = t.paths.resolve(sc + "PARADRUK.DBF");
  if (env.exists(own)) return;
  if (!copyFileWhole(env, t.tablePath("PARADRUK"), own)) return;
  if (!store::USE_(t, sc + "PARADRUK", "E!")) return;
  const std::string index = t.indexPath(sc + "PARADRUK");
  const base::Status built = db::indexOn(*t.ws.current(), index, db::IndexSpec("WARIANT"));
  t.ws.closeAll();
  if (!built) throw base::IoFault(index, built.toString());
}

}  // namespace core
