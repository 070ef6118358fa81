// src/db/bulk_pack.cpp — PACK and ZAP through new files renamed over the old ones.
#include "db/bulk_pack.hpp"

#include "base/bytes.hpp"
#include "db/bulk_index.hpp"
#include "db/workspace.hpp"
#include "xbase/dbf_header.hpp"

namespace db {

using base::Errc;
using base::Status;

namespace {

// "dir/~NAME.EXT" beside "dir/NAME.EXT": a name no table of the program has.
std::string sideName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t at = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(0, at) + "~" + path.substr(at);
}

void check(const Status& s, const std::string& file, const char* what) {
  if (!s) throw base::IoFault(file, std::string(what) + ": " + s.message());
}

// Writes a copy of the table holding the records `next` hands out (it fills the buffer
// and answers true, or answers false at the end); returns the new path.
template <typename Next>
std::string writeRecords(WorkArea& area, Next next) {
  Workspace& ws = area.workspace();
  xbase::DbfFile& table = area.table();
  const std::string& path = table.path();
  const std::string fresh = sideName(path);
  auto out = ws.env().open(fresh, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!out) throw base::IoFault(fresh, "not created: " + out.error().message());
  sys::File& f = **out;

  xbase::dbf::Header h = table.header();
  std::vector<std::byte> head(h.headerLength);
  {
    auto in = ws.env().open(path, sys::Access::ReadOnly);
    if (!in) throw base::IoFault(path, "not read: " + in.error().message());
    auto n = (*in)->readAt(0, head);
    if (!n || *n != head.size()) throw base::IoFault(path, "header not read");
  }
  const std::size_t length = table.recordLength();
  std::uint64_t offset = h.headerLength;
  std::uint32_t count = 0;
  std::vector<std::byte> batch;
  std::vector<std::byte> rec(length);
  while (next(std::span<std::byte>(rec))) {
    batch.insert(batch.end(), rec.begin(), rec.end());
    ++count;
    if (batch.size() >= (1u << 20)) {
      check(f.writeAt(offset, batch), fresh, "not written");
      offset += batch.size();
      batch.clear();
    }
  }
  batch.push_back(xbase::kEndOfFile);
  check(f.writeAt(offset, batch), fresh, "not written");
  const sys::CivilTime now = ws.clock().now();
  h.recordCount = count;
  h.updateYear = now.year;
  h.updateMonth = now.month;
  h.updateDay = now.day;
  xbase::dbf::encodeHeader(h, std::span<std::byte, xbase::dbf::kHeaderSize>(head.data(), xbase::dbf::kHeaderSize));
  check(f.writeAt(0, head), fresh, "not written");
  check(f.sync(), fresh, "not synced");
  return fresh;
}

// Writes a copy of the table holding the records `keep` lets through; returns the new path.
template <typename Keep>
std::string writeCopy(WorkArea& area, Keep keep) {
  const std::uint32_t last = area.table().recordCount();
  std::uint32_t at = 0;
  return writeRecords(area, [&](std::span<std::byte> rec) {
    while (++at <= last)
      if (area.table().readRecord(at, rec) && keep(std::span<const std::byte>(rec))) return true;
    return false;
  });
}

Status replaceWith(WorkArea& area, const std::string& fresh) {
  Workspace& ws = area.workspace();
  const std::string path = area.table().path();
  if (Status s = ws.env().rename(fresh, path); !s) {
    (void)ws.env().remove(fresh);
    check(s, path, "not replaced");
  }
  area.reopenExclusive();
  if (Status s = reindex(area); !s) return s;
  area.goTop();
  return Status::ok();
}

Status needExclusive(WorkArea& area, const char* what) {
  if (area.table().share() == xbase::Share::Exclusive) return Status::ok();
  return Status(Errc::Refused, std::string(what) + " needs exclusive use of " + area.alias());
}

}  // namespace

Status pack(WorkArea& area) {
  if (Status s = needExclusive(area, "PACK"); !s) return s;
  area.commit();
  const std::string fresh = writeCopy(area, [](std::span<const std::byte> rec) { return !xbase::isDeleted(rec); });
  return replaceWith(area, fresh);
}

Status zap(WorkArea& area) {
  if (Status s = needExclusive(area, "ZAP"); !s) return s;
  area.commit();
  Workspace& ws = area.workspace();
  const bool memo = area.table().hasMemo();
  const std::string fresh = writeCopy(area, [](std::span<const std::byte>) { return false; });
  const std::string memoPath = xbase::memoPathFor(area.table().path());
  if (Status s = replaceWith(area, fresh); !s) return s;
  if (!memo) return Status::ok();
  // The table now holds no memo references; an empty memo file replaces the old one.
  const std::string freshMemo = sideName(memoPath);
  {
    auto m = ws.env().open(freshMemo, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
    if (!m) throw base::IoFault(freshMemo, "not created: " + m.error().message());
    xbase::DbtFile::initialise(**m);
    check((*m)->sync(), freshMemo, "not synced");
  }
  check(ws.env().rename(freshMemo, memoPath), memoPath, "not replaced");
  area.reopenExclusive();
  area.goTop();
  return Status::ok();
}

Status rewriteInOrder(WorkArea& area, std::span<const std::uint32_t> records) {
  if (Status s = needExclusive(area, "rewriting"); !s) return s;
  area.commit();
  const std::uint32_t last = area.table().recordCount();
  for (std::uint32_t r : records)
    if (r < 1 || r > last) return Status(Errc::Invalid, "record " + std::to_string(r) + " out of range");
  std::size_t at = 0;
  const std::string fresh = writeRecords(area, [&](std::span<std::byte> rec) {
    if (at == records.size()) return false;
    const std::uint32_t r = records[at++];
    if (!area.table().readRecord(r, rec)) throw base::IoFault(area.table().path(), "record " + std::to_string(r) + " not read");
    return true;
  });
  return replaceWith(area, fresh);
}

}  // namespace db
