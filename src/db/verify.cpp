// src/db/verify.cpp — table and index checks (rules V1..V5 in verify.hpp).
#include "db/verify.hpp"

#include <set>

#include "base/fault.hpp"
#include "db/workspace.hpp"
#include "xbase/ntx_key.hpp"

namespace db {

namespace {

Verdict failed(std::string reason) { return Verdict{false, std::move(reason), 0}; }

}  // namespace

Verdict verifyTable(WorkArea& area) {
  Verdict v;
  try {
    area.flush();
    const std::uint32_t n = area.lastRec();
    std::vector<std::size_t> memos;
    for (std::size_t i = 0; i < area.fieldCount(); ++i)
      if (area.field(i).type == xbase::dbf::FieldType::Memo) memos.push_back(i);
    for (std::uint32_t r = 1; r <= n; ++r) {
      area.goTo(r);
      if (area.recno() != r || area.eof()) return failed("record " + std::to_string(r) + " cannot be read");
      for (std::size_t m : memos) (void)area.value(m);
    }
    v.count = n;
  } catch (const base::Fault& f) {
    return failed(f.what());
  }
  return v;
}

Verdict verifyIndex(WorkArea& area, Order& order) {
  Workspace& ws = area.workspace();
  xbase::NtxFile& f = order.file();
  Verdict v;
  try {
    area.flush();
    const xbase::NtxStats stats = f.checkInvariants();  // V1
    const bool unique = order.unique(), descending = order.descending();
    const std::uint32_t last = area.lastRec();
    xbase::NtxCursor c;
    std::string previous;
    std::uint64_t keys = 0;
    std::vector<std::pair<std::string, std::uint32_t>> entries;
    for (bool more = f.top(c); more; more = f.next(c)) {
      const std::string key = c.key;
      const std::uint32_t recno = c.recno;
      if (keys > 0) {  // V2
        const int cmp = xbase::comparePrefix(key, previous);
        if (descending ? cmp > 0 : cmp < 0) return failed("key of record " + std::to_string(recno) + " out of order");
        if (unique && key == previous) return failed("UNIQUE index holds key twice, record " + std::to_string(recno));
      }
      if (recno < 1 || recno > last) return failed("entry names record " + std::to_string(recno) + " beyond the table");
      entries.emplace_back(key, recno);
      previous = key;
      ++keys;
    }
    for (const auto& [key, recno] : entries) {  // V3
      area.goTo(recno);
      if (order.condition() && !ws.testIn(area, order.condition()))
        return failed("record " + std::to_string(recno) + " fails the FOR condition");
      if (order.encode(ws.evalIn(area, order.key())) != key)
        return failed("stored key of record " + std::to_string(recno) + " differs from its key expression");
    }
    std::uint64_t expected = 0;  // V4
    std::set<std::string> distinct;
    area.forEachRecord([&](std::uint32_t) {
      if (order.condition() && !ws.testIn(area, order.condition())) return;
      if (unique)
        distinct.insert(order.encode(ws.evalIn(area, order.key())));
      else
        ++expected;
    });
    if (unique) expected = distinct.size();
    if (unique ? keys > expected : keys != expected)
      return failed(std::to_string(keys) + " keys for " + std::to_string(expected) + " records");
    for (const auto& [key, recno] : entries)  // V5
      if (!f.find(c, key, recno)) return failed("key of record " + std::to_string(recno) + " cannot be found");
    (void)stats;
    v.count = keys;
  } catch (const base::Fault& fault) {
    return failed(fault.what());
  }
  return v;
}

}  // namespace db
