// src/db/bulk_append.cpp — APPEND FROM.
#include "db/bulk_append.hpp"

#include "db/workspace.hpp"

namespace db {

using base::Errc;
using base::Status;

base::Result<std::uint32_t> appendFrom(WorkArea& area, const std::string& source, const AppendOptions& options) {
  Workspace& ws = area.workspace();
  area.flush();
  const int home = ws.selected();
  // The source is opened in a free area of its own so that its condition sees its fields.
  ws.select(0);
  auto opened = ws.use(source, {"ZELAPPENDSRC", xbase::Share::SharedReadOnly, false});
  if (!opened) {
    ws.select(home);
    return opened.error();
  }
  WorkArea& src = **opened;
  const int srcArea = src.number();
  struct Closer {
    Workspace& ws;
    int area, home;
    ~Closer() {
      try {
        ws.close(area);
      } catch (...) {  // NOLINT: a fault while closing a read-only source loses nothing
      }
      ws.select(home);
    }
  } closer{ws, srcArea, home};

  // Target column -> source column, for fields of the same name and type.
  std::vector<std::pair<std::size_t, std::size_t>> map;
  for (std::size_t i = 0; i < area.fieldCount(); ++i) {
    const auto& f = area.field(i);
    if (!options.fields.empty() &&
        std::none_of(options.fields.begin(), options.fields.end(), [&](const std::string& n) {
          return area.fieldIndex(n) == i;
        }))
      continue;
    const auto j = src.fieldIndex(f.name);
    if (j && src.field(*j).type == f.type) map.emplace_back(i, *j);
  }
  Expr cond;
  if (!options.forCondition.empty()) cond = ws.compile(options.forCondition);

  std::uint32_t added = 0;
  const std::uint32_t n = src.lastRec();
  xbase::DbfFile& target = area.table();
  for (std::uint32_t r = 1; r <= n; ++r) {
    src.goTo(r);
    if (src.eof()) break;
    if (ws.hideDeleted() && src.deleted()) continue;
    if (cond && !ws.testIn(src, cond)) continue;
    std::vector<std::byte> rec = target.blankRecord();
    for (const auto& [to, from] : map) (void)target.setValue(rec, to, src.value(from));  // '*' on overflow
    xbase::setDeleted(rec, src.deleted());
    if (Status s = area.appendRecord(rec); !s) return s;
    ++added;
  }
  area.flush();
  return added;
}

}  // namespace db
