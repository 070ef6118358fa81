// src/ui/we_sl.cpp — WE_SL and WY_SL.
#include "ui/we_sl.hpp"

#include <vector>

#include "base/check.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "store/use.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

constexpr int kFileNotFound = 2, kSharingViolation = 32;

// Raises the open error of index `file`; true when the error handler asks for another try.
bool retryAfter(Context& c, const base::Status& failure, const std::string& file) {
  const rt::Value v = c.rt.raise(rt::Error::of(rt::GenCode::Open, "DBFNTX", 1001, "Open error")
                                     .onFile(file, failure.is(base::Errc::Locked) ? kSharingViolation : kFileNotFound)
                                     .retryable()
                                     .defaultable());
  return v.isLogical() && v.logical();
}

void attachIndexes(Context& c, db::WorkArea& area, const std::vector<std::string>& indexes) {
  area.clearOrders();
  for (const std::string& padded : indexes) {
    const std::string name = trimmed(padded);
    for (;;) {
      const base::Status s = area.addOrder(c.tables->indexPath(name));
      if (s || !retryAfter(c, s, store::withExtension(name, ".NTX"))) break;
    }
  }
}

}  // namespace

bool WE_SL(Context& c, std::string_view table, const std::vector<std::string>& indexes) {
  ZEL_CHECK(c.workspace != nullptr && c.tables != nullptr);
  db::Workspace& ws = *c.workspace;
  const int previous = ws.selected();
  ws.select(ws.areaOf(kLookupAlias));  // 0: the lowest free area
  const bool open = store::USE_(*c.tables, table, "S!", kLookupAlias, store::Caller{"WE_SL", 0});
  if (open) attachIndexes(c, *ws.current(), indexes);
  ws.select(previous);
  return open;
}

rt::Value WY_SL(Context& c, rt::Value value) {
  if (c.workspace != nullptr)
    if (const int area = c.workspace->areaOf(kLookupAlias); area != 0) c.workspace->close(area);
  return value;
}

}  // namespace ui
