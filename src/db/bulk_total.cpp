// src/db/bulk_total.cpp — TOTAL ON.
#include "db/bulk_total.hpp"

#include "db/bulk_copy.hpp"
#include "db/workspace.hpp"

namespace db {

using base::Errc;
using base::Status;
using xbase::dbf::FieldType;

namespace {

bool sameKey(const rt::Value& a, const rt::Value& b) {
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case rt::Type::Character:
    case rt::Type::Memo: return a.text() == b.text();
    case rt::Type::Numeric: return a.num() == b.num();
    case rt::Type::Date: return a.date() == b.date();
    case rt::Type::Logical: return a.logical() == b.logical();
    default: return a.isNil() && b.isNil();
  }
}

}  // namespace

base::Result<std::uint32_t> total(WorkArea& area, const std::string& path, const Expr& key,
                                  const std::vector<std::string>& sumFields, const Expr& forCondition) {
  Workspace& ws = area.workspace();
  std::vector<xbase::dbf::Field> kept;
  std::vector<std::size_t> from;  // source column of each target field
  for (std::size_t i = 0; i < area.fieldCount(); ++i) {
    if (area.field(i).type == FieldType::Memo) continue;
    kept.push_back(area.field(i));
    from.push_back(i);
  }
  std::vector<std::pair<std::size_t, std::size_t>> sums;  // target column, source column
  for (const std::string& n : sumFields) {
    const auto i = area.fieldIndex(n);
    if (!i || area.field(*i).type != FieldType::Numeric)
      return Status(Errc::Invalid, "no numeric field " + n + " in " + area.alias());
    const auto at = std::find(from.begin(), from.end(), *i) - from.begin();
    sums.emplace_back(static_cast<std::size_t>(at), *i);
  }
  area.flush();
  auto created = xbase::DbfFile::create(ws.env(), ws.clock(), path, specsOf(kept));
  if (!created) return created.error();
  xbase::DbfFile& out = **created;

  std::uint32_t written = 0;
  std::vector<std::byte> rec;
  std::vector<double> acc(sums.size());
  rt::Value runKey;
  bool open = false;
  auto emit = [&]() -> Status {
    for (std::size_t k = 0; k < sums.size(); ++k)
      (void)out.setValue(rec, sums[k].first, rt::Value::number(acc[k]));  // '*' when too wide
    if (auto r = out.appendRecord(rec); !r) return r.error();
    ++written;
    return Status::ok();
  };
  for (area.goTop(); !area.eof(); area.skip()) {
    if (forCondition && !ws.testIn(area, forCondition)) continue;
    const rt::Value k = ws.evalIn(area, key);
    if (!open || !sameKey(k, runKey)) {
      if (open)
        if (Status s = emit(); !s) return s;
      rec = out.blankRecord();
      const auto src = area.record();
      for (std::size_t t = 0; t < from.size(); ++t) {
        const auto& f = area.field(from[t]);
        std::copy_n(src.begin() + f.offset, f.length, rec.begin() + out.fields()[t].offset);
      }
      std::fill(acc.begin(), acc.end(), 0.0);
      runKey = k;
      open = true;
    }
    for (std::size_t s = 0; s < sums.size(); ++s) acc[s] += area.value(sums[s].second).num();
  }
  if (open)
    if (Status s = emit(); !s) return s;
  out.close();
  return written;
}

}  // namespace db
