// src/core/nr_dom.cpp — taking the next order number from the counter table.
#include "core/nr_dom.hpp"

#include <cstdio>

#include "base/check.hpp"
#include "core/rok.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "store/use.hpp"
#include "ui/break.hpp"

namespace core {
namespace {

constexpr std::string_view kTable = "NR_ZAM";
constexpr std::string_view kIndexKey = "ROK_ZAM+KONTO";

std::string fitted(std::string_view text, std::size_t width) {
  std::string s(text.substr(0, width));
  s.resize(width, ' ');
  return s;
}

void attachCounterIndex(store::Tables& t, db::WorkArea& area) {
  const base::Status s = store::attachIndexes(t, {std::string(kTable)});
  if (s) return;
  if (!s.is(base::Errc::NotFound)) throw base::IoFault(t.indexPath(kTable), "cannot open the index: " + s.toString());
  const base::Status built = db::indexOn(area, t.indexPath(kTable), db::IndexSpec(std::string(kIndexKey)));
  if (!built) throw base::IoFault(t.indexPath(kTable), "cannot build the index: " + built.toString());
}

int takeNumber(db::WorkArea& area, const std::string& year, const std::string& account) {
  if (!area.seek(rt::Value::character(year + account))) {
    ZEL_CHECK(area.appendBlank().isOk());
    ZEL_CHECK(area.replace("KONTO", rt::Value::character(account)).isOk());
    ZEL_CHECK(area.replace("ROK_ZAM", rt::Value::character(year)).isOk());
    ZEL_CHECK(area.replace("NR_ZAM", rt::Value::number(0, 4, 0)).isOk());
  }
  const rt::Value last = area.value(*area.fieldIndex("NR_ZAM"));
  const int next = static_cast<int>(last.isNumber() ? last.num() : 0) + 1;
  const base::Status s = area.replace("NR_ZAM", rt::Value::number(next, 4, 0));
  if (!s) throw base::IoFault(area.table().path(), "cannot store the order number: " + s.toString());
  area.commit();
  return next;
}

}  // namespace

std::string NR_DOM(ui::Context& c, std::string_view account, rt::Date date) {
  ZEL_CHECK(c.workspace != nullptr && c.tables != nullptr);
  db::Workspace& ws = *c.workspace;
  const int previous = ws.selected();
  ws.select(0);
  db::WorkArea* area = store::USE_(*c.tables, kTable, "E!", {}, store::callerAt()) ? ws.current() : nullptr;
  if (area == nullptr) {  // single-user working, and the table is held elsewhere: reported already
    ws.select(previous);
    throw ui::Break();
  }
  const int opened = area->number();
  int number = 0;
  try {
    attachCounterIndex(*c.tables, *area);
    number = takeNumber(*area, ROK(date), fitted(account, 5));
  } catch (...) {
    ws.close(opened);
    ws.select(previous);
    throw;
  }
  ws.close(opened);
  ws.select(previous);
  char text[16];
  std::snprintf(text, sizeof text, "%04d", number);
  return text;
}

}  // namespace core
