// src/db/bulk_index.cpp — INDEX ON, REINDEX and temporary indexes (rules I1..I4).
#include "db/bulk_index.hpp"

#include "db/workspace.hpp"
#include "xbase/ntx_build.hpp"
#include "xbase/ntx_header.hpp"

namespace db {

using base::Errc;
using base::Status;

namespace {

struct Built {
  xbase::NtxDefinition def;
  Expr key, condition;
};

// I1: the definition of an index with this key, from the blank record.
base::Result<Built> define(WorkArea& area, const IndexSpec& wanted) {
  Workspace& ws = area.workspace();
  Built b;
  b.key = ws.compile(wanted.key);
  if (!wanted.condition.empty()) b.condition = ws.compile(wanted.condition);
  area.goTo(0);
  const rt::Value v = ws.evalIn(area, b.key);
  std::size_t size = 0, decimals = 0;
  switch (v.type()) {
    case rt::Type::Character:
    case rt::Type::Memo: size = v.text().size(); break;
    case rt::Type::Numeric: {
      const auto& n = v.numberParts();
      decimals = static_cast<std::size_t>(std::max<int>(n.decimals, 0));
      size = static_cast<std::size_t>(std::max<int>(n.width, 1)) + (decimals > 0 ? decimals + 1 : 0);
      break;
    }
    case rt::Type::Date: size = 8; break;
    case rt::Type::Logical: size = 1; break;
    default: return Status(Errc::Invalid, "index key " + wanted.key + " has no value of an indexable type");
  }
  if (size == 0) return Status(Errc::Invalid, "index key " + wanted.key + " is empty on a blank record");
  if (size > xbase::ntx::kMaxKeySize) return Status(Errc::Invalid, "index key " + wanted.key + " longer than 256 bytes");
  b.def = {wanted.key, wanted.condition, static_cast<std::uint16_t>(size), static_cast<std::uint16_t>(decimals),
           wanted.unique, wanted.descending};
  return b;
}

// I2, I3: writes the index to `path`; the builder sorts in bounded memory and renames a
// new file over the old one. Returns the number of keys written.
std::uint64_t build(WorkArea& area, const std::string& path, const Built& b) {
  Workspace& ws = area.workspace();
  xbase::NtxBuilder builder(ws.env(), path, b.def);
  Status added;
  // Most keys are read straight from the record bytes; the rest go through the runtime.
  const auto direct = RecordKey::compile(b.def.keyExpr, area.table().fields(), &ws.runtime());
  area.forEachRecord([&](std::uint32_t recno) {
    if (!added || (b.condition && !ws.testIn(area, b.condition))) return;
    if (direct)
      added = builder.add(direct->bytes(area.record(), b.def.keySize, b.def.keyDecimals), recno);
    else
      added = builder.add(encodeKey(ws.evalIn(area, b.key), b.def.keySize, b.def.keyDecimals), recno);
  });
  if (added) added = builder.finish();
  if (!added) throw base::IoFault(path, "index not built: " + added.message());
  return builder.keysWritten();
}

}  // namespace

Status indexOn(WorkArea& area, const std::string& path, const IndexSpec& wanted, std::uint64_t* keys) {
  area.flush();
  auto b = define(area, wanted);
  if (!b) return b.error();
  area.clearOrders();
  const std::uint64_t written = build(area, path, *b);
  if (keys != nullptr) *keys = written;
  if (Status s = area.addOrder(path); !s) return s;
  area.goTop();
  return Status::ok();
}

Status reindex(WorkArea& area) {
  if (area.table().share() != xbase::Share::Exclusive)
    return Status(Errc::Refused, "REINDEX needs exclusive use of " + area.alias());
  const int controlling = area.orderNumber();
  auto orders = area.releaseOrders();
  for (auto& o : orders) {
    const xbase::ntx::Header h = o->file().header();
    Built b{{h.keyExpr, h.forExpr, h.keySize, h.keyDecimals, h.unique, h.descending}, o->key(), o->condition()};
    const std::string path = o->path();
    o.reset();  // the old file is closed before the new one replaces it
    build(area, path, b);
    if (Status s = area.addOrder(path); !s) return s;
  }
  area.setOrder(controlling);
  area.goTop();
  return Status::ok();
}

}  // namespace db

namespace db {

base::Result<std::string> temporaryIndex(WorkArea& area, const IndexSpec& wanted) {
  area.flush();
  auto b = define(area, wanted);
  if (!b) return b.error();
  static_assert(sizeof(std::uint64_t) == 8);
  sys::Env& env = area.workspace().env();
  const std::string& table = area.table().path();
  const std::string folder = table.substr(0, table.find_last_of('/') + 1);
  std::string path;
  for (int i = 0;; ++i) {
    path = folder + "ZELTMP" + std::to_string(i) + ".NTX";
    auto f = env.open(path, sys::Access::ReadWrite, sys::Creation::CreateNew);
    if (f) break;  // the name is ours now; build() replaces the empty file
    if (!f.error().is(Errc::Exists)) return f.error();
  }
  build(area, path, *b);
  auto o = openOrder(area.workspace(), path, area.table().share());
  if (!o) return o.error();
  (*o)->removeWhenClosed(env);
  area.addOrder(std::move(*o));
  area.setOrder(static_cast<int>(area.orderCount()));
  area.goTop();
  return path;
}

}  // namespace db
