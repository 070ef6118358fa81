// src/ui/browse/host.cpp — the browser's host: made on first use with the default seams.
#include "ui/browse/host.hpp"

#include "ui/browse/engine.hpp"
#include "ui/browse/field_reader.hpp"

namespace ui::browse {
namespace {

// Until the table store opens tables for everyone, the browser opens its own table here.
base::Result<db::WorkArea*> openDirectly(Context& c, const std::string& path, const std::string& alias) {
  if (c.workspace == nullptr) return base::Status(base::Errc::Refused, "no work areas");
  db::UseOptions o;
  o.alias = alias;
  o.share = xbase::Share::SharedReadOnly;
  o.newArea = true;
  return c.workspace->use(path, o);
}

}  // namespace

Host& hostOf(Context& c) {
  if (!c.browse) {
    c.browse = std::make_shared<Host>();
    c.browse->reader = readInPlace;
    c.browse->opener = openDirectly;
  }
  return *c.browse;
}

}  // namespace ui::browse
