// src/ui/browse/host.cpp — the browser's host: made on first use with the default seams,
// and the engines kept in the numbered state slots.
#include "ui/browse/host.hpp"

#include "store/use.hpp"
#include "ui/browse/engine.hpp"
#include "ui/browse/prompts.hpp"

namespace ui::browse {
namespace {

// Tables are opened through the table store, with its waiting notice while another
// station holds the table.
base::Result<db::WorkArea*> openTable(Context& c, const std::string& path, const std::string& alias) {
  if (c.workspace == nullptr) return base::Status(base::Errc::Refused, "no work areas");
  db::Workspace& ws = *c.workspace;
  const int free = ws.lowestFree();
  if (free == 0) return base::Status(base::Errc::Refused, "no free work area");
  if (c.tables == nullptr) return base::Status(base::Errc::Refused, "no table store");
  ws.select(free);
  if (!store::USE_(*c.tables, path, "R", alias)) return base::Status(base::Errc::NotFound, path);
  db::WorkArea* a = ws.current();
  if (a == nullptr) return base::Status(base::Errc::NotFound, path);
  return a;
}

}  // namespace

Host& hostOf(Context& c) {
  if (!c.browse) {
    c.browse = std::make_shared<Host>();
    c.browse->reader = readCellWithForm;
    c.browse->opener = openTable;
  }
  return *c.browse;
}

rt::Value handleValue(int handle, const char* kind) {
  rt::Value v = rt::Value::newArray();
  v.array()->push_back(rt::Value::character("BROWSE"));
  v.array()->push_back(rt::Value::integer(handle));
  v.array()->push_back(rt::Value::character(kind));
  return v;
}

int handleOf(const rt::Value& v) {
  if (!v.isArray() || v.array()->size() < 2) return 0;
  const rt::Array& a = *v.array();
  return a[0].isText() && a[0].text() == "BROWSE" && a[1].isNumber() ? static_cast<int>(a[1].num()) : 0;
}

std::shared_ptr<Engine> keptEngine(Context& c, int slot) {
  if (slot < 1 || slot > 3) return nullptr;
  Host& h = hostOf(c);
  const auto it = h.engines.find(handleOf(c.rt.vars().get("_REST" + std::to_string(slot))));
  return it == h.engines.end() ? nullptr : it->second;
}

void keepEngine(Context& c, int slot, std::shared_ptr<Engine> e) {
  if (slot < 1 || slot > 3) return;
  Host& h = hostOf(c);
  const std::string n = std::to_string(slot);
  if (const int old = handleOf(c.rt.vars().get("_REST" + n)); old != 0) h.engines.erase(old);
  const int handle = h.nextHandle++;
  h.engines[handle] = std::move(e);
  c.setPublic("_HOR" + n, handleValue(handle, "T"));
  c.setPublic("_VERT" + n, handleValue(handle, "K"));
  c.setPublic("_REST" + n, handleValue(handle, "S"));
}

}  // namespace ui::browse
