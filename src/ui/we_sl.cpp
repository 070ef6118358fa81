// src/ui/we_sl.cpp — WE_SL and WY_SL.
#include "ui/we_sl.hpp"

#include <vector>

#include "db/work_area.hpp"
#include "db/workspace.hpp"

namespace ui {
namespace {

constexpr int kFileNotFound = 2, kSharingViolation = 32;

std::string withExtension(std::string_view name, std::string_view extension) {
  std::string s(name);
  s.erase(s.find_last_not_of(' ') + 1);
  const auto slash = s.find_last_of("\\/");
  const auto dot = s.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) s += extension;
  return s;
}

// Raises the open error of `file`; true when the error handler asks for another try.
bool retryAfter(Context& c, const base::Status& failure, const std::string& file) {
  rt::Error e;
  e.genCode = rt::GenCode::Open;
  e.subsystem = "DBFNTX";
  e.subCode = 1001;
  e.description = "Open error";
  e.fileName = file;
  e.osCode = failure.is(base::Errc::Locked) ? kSharingViolation : kFileNotFound;
  e.canRetry = true;
  e.canDefault = true;
  const rt::Value v = c.rt.raise(std::move(e));
  return v.isLogical() && v.logical();
}

// The stand-in for _USE(table, "S!", "SL") while the table store does not provide it.
bool openShared(Context& c, std::string_view table) {
  const std::string file = withExtension(table, ".DBF");
  db::UseOptions options;
  options.alias = std::string(kLookupAlias);
  options.share = xbase::Share::Shared;
  for (;;) {
    base::Result<db::WorkArea*> area = c.workspace->use(c.paths.resolve(file), options);
    if (area) return true;
    if (!retryAfter(c, area.error(), file)) return false;
  }
}

bool openLookup(Context& c, std::string_view table) {
  if (const rt::Function* use = c.rt.functions().find("_USE")) {
    std::vector<rt::Value> values{rt::Value::character(std::string(table)), rt::Value::character("S!"),
                                  rt::Value::character(std::string(kLookupAlias))};
    rt::Args args(values);
    const rt::Value v = (*use)(c.rt, args);
    return v.isLogical() && v.logical();
  }
  return openShared(c, table);
}

void attachIndexes(Context& c, db::WorkArea& area, const std::vector<std::string>& indexes) {
  area.clearOrders();
  for (const std::string& name : indexes) {
    const std::string file = withExtension(name, ".NTX");
    for (;;) {
      const base::Status s = area.addOrder(c.paths.resolve(file));
      if (s || !retryAfter(c, s, file)) break;
    }
  }
}

}  // namespace

bool WE_SL(Context& c, std::string_view table, const std::vector<std::string>& indexes) {
  db::Workspace& ws = *c.workspace;
  const int previous = ws.selected();
  const int existing = ws.areaOf(kLookupAlias);
  ws.select(existing);  // 0: the lowest free area
  const bool open = openLookup(c, table);
  if (open)
    if (db::WorkArea* area = ws.find(kLookupAlias)) attachIndexes(c, *area, indexes);
  ws.select(previous);
  return open;
}

rt::Value WY_SL(Context& c, rt::Value value) {
  if (c.workspace != nullptr)
    if (const int area = c.workspace->areaOf(kLookupAlias); area != 0) c.workspace->close(area);
  return value;
}

}  // namespace ui
