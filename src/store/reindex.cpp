// src/store/reindex.cpp — the index rebuild over the catalogue.
#include "store/reindex.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "db/bulk_index.hpp"
#include "db/bulk_pack.hpp"
#include "db/work_area.hpp"
#include "store/use.hpp"
#include "xbase/dbf_file.hpp"
#include "xbase/ntx_build.hpp"

namespace store {
namespace {

bool isBlankText(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char ch) { return ch == ' ' || ch == '\r' || ch == '\n' || ch == '\t'; });
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& ch : out)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return out;
}

[[noreturn]] void fail(std::string_view table, std::string_view what, const base::Status& s) {
  throw RebuildError(std::string(table) + ": " + std::string(what) + ": " + s.toString());
}

void must(const base::Status& s, std::string_view table, std::string_view what) {
  if (!s) fail(table, what, s);
}

// Copies a file through a new name renamed over `to`, so that `to` is never half written;
// `durable`: on the disk before it takes the name.
void copyFile(sys::Env& env, const std::string& from, const std::string& to, bool durable = true) {
  auto in = env.open(from, sys::Access::ReadOnly, sys::Creation::OpenExisting);
  if (!in) throw RebuildError(from + ": not read: " + in.error().toString());
  const std::string fresh = to + "~";
  auto out = env.open(fresh, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!out) throw RebuildError(fresh + ": not created: " + out.error().toString());
  std::vector<std::byte> block(std::size_t{1} << 20);
  for (std::uint64_t at = 0;;) {
    auto n = (*in)->readAt(at, block);
    if (!n) throw RebuildError(from + ": not read: " + n.error().toString());
    if (*n == 0) break;
    if (auto s = (*out)->writeAt(at, std::span<const std::byte>(block).first(*n)); !s)
      throw RebuildError(fresh + ": not written: " + s.toString());
    at += *n;
  }
  if (durable)
    if (auto s = (*out)->sync(); !s) throw RebuildError(fresh + ": not synced: " + s.toString());
  out->reset();
  if (auto s = env.rename(fresh, to); !s) throw RebuildError(to + ": not replaced: " + s.toString());
}

class TableRebuild {
 public:
  TableRebuild(Tables& t, const CatalogueTable& table, sys::DeferredCommit& commit)
      : t_(t), def_(table), commit_(commit) {}

  void run(RebuildHooks& hooks) {
    area_ = t_.ws.current();
    hooks.opened(def_);
    if (def_.repair != Repair::None) {
      // R1: a repaired table changes before its indexes are built (the contractors only
      // when they are not in shape already: see keepOnePerNumber).
      if (def_.repair != Repair::Contractors) removeOwnIndexes();
      if (def_.repair == Repair::EmptyNotes) deleteEmptyNotes();
      const bool rewritten = def_.repair == Repair::OrderLines || def_.repair == Repair::Contractors;
      // The rewrites leave deleted records out themselves, and a table without deleted
      // records comes out of a PACK as it went in: both are spared the copy.
      if (def_.pack && !rewritten && hasDeleted()) must(db::pack(*area_), def_.table, "pack");
      if (def_.repair == Repair::OrderLines) repairOrderLines();
      if (def_.repair == Repair::Contractors) keepOnePerNumber();
      buildIndexes();
    } else if (buildIndexes() && def_.pack) {
      // Any other table changes only when the walk that gathered its keys met a deleted
      // record. Until then its new index files replace the old ones by renaming, so a
      // rebuild killed on the way leaves old or new indexes of an unchanged table. The
      // files just written take their names before they go with the rest (R1).
      must(commit_.wait(), def_.table, "indexes");
      removeOwnIndexes();
      must(db::pack(*area_), def_.table, "pack");
      buildIndexes();
    }
    records_ = area_->lastRec();
    area_->close();
  }

  std::uint64_t records() const { return records_; }
  std::uint64_t keys() const { return keys_; }

 private:
  std::string name(const IndexEntry& e) const {
    return (e.inStation ? t_.stationFolder() : std::string()) + std::string(e.file);
  }

  void removeOwnIndexes() {
    area_->clearOrders();
    for (const IndexEntry& e : def_.indexes) {
      const std::string path = t_.indexPath(name(e));
      if (t_.ws.env().exists(path)) must(t_.ws.env().remove(path), def_.table, "remove " + path);
    }
  }

  std::string keyOf(const IndexEntry& e) const {
    if (e.shortNameKey.empty()) return std::string(e.key);
    const std::string wersja = t_.textVar("_WERSJA");
    const bool shortFirst = wersja.size() >= 66 && wersja[65] == 'S' && area_->fieldIndex("SKROT").has_value();
    return std::string(shortFirst ? e.shortNameKey : e.key);
  }

  // Every index of the table from one pass over it. The files take their names on the
  // commit thread while the next table is read. True when the pass met a deleted record.
  bool buildIndexes() {
    std::vector<db::IndexTarget> targets;
    for (const IndexEntry& e : def_.indexes)
      if (!e.repairOnly)
        targets.push_back({t_.indexPath(name(e)), db::IndexSpec(keyOf(e), std::string(e.condition), e.unique)});
    base::Status s;
    std::vector<std::uint64_t> keys;
    bool deletedSeen = false;
    try {
      s = db::writeIndexes(*area_, targets, commit_, &keys, &deletedSeen);
    } catch (const std::exception& x) {
      throw RebuildError(std::string(def_.table) + ": indexes: " + x.what());
    }
    must(s, def_.table, "indexes");
    keys_ = 0;
    for (std::uint64_t k : keys) keys_ = std::max(keys_, k);
    return deletedSeen;
  }

  std::size_t field(std::string_view name) const {
    const auto i = area_->fieldIndex(name);
    if (!i) throw RebuildError(std::string(def_.table) + ": no field " + std::string(name));
    return *i;
  }

  // The visible, undeleted records in the controlling order.
  std::vector<std::uint32_t> recordsInOrder() {
    std::vector<std::uint32_t> out;
    out.reserve(area_->lastRec());
    for (area_->goTop(); !area_->eof(); area_->skip())
      if (!area_->deleted()) out.push_back(area_->recno());
    return out;
  }

  bool hasDeleted() {
    area_->flush();
    xbase::DbfFile& table = area_->table();
    const std::size_t length = table.recordLength();
    std::vector<std::byte> block(std::max<std::size_t>((std::size_t{1} << 20) / length, 1) * length);
    for (std::uint32_t r = 1, got; (got = table.readRecords(r, block)) > 0; r += got)
      for (std::uint32_t i = 0; i < got; ++i)
        if (xbase::isDeleted(std::span<const std::byte>(block).subspan(std::size_t{i} * length, length))) return true;
    return false;
  }

  void deleteEmptyNotes() {
    const std::size_t tekst = field("TEKST");
    std::vector<std::uint32_t> empty;
    area_->forEachRecord([&](std::uint32_t r) {
      if (!area_->deleted() && isBlankText(area_->value(tekst).text())) empty.push_back(r);
    });
    for (std::uint32_t r : empty) {
      area_->goTo(r);
      must(area_->deleteRecord(), def_.table, "delete");
    }
  }

  // R3
  void repairOrderLines() {
    const std::size_t status = field("STATUS");
    const std::size_t at = area_->field(status).offset;
    std::vector<std::uint32_t> inEdit;
    area_->forEachRecord([&](std::uint32_t r) {
      if (static_cast<char>(area_->record()[at]) == 'E') inEdit.push_back(r);
    });
    for (std::uint32_t r : inEdit) {
      area_->goTo(r);
      must(area_->replace(status, rt::Value::character("A")), def_.table, "replace STATUS");
    }
    const std::string temp = t_.stationFolder() + std::string(def_.table) + "_R";
    rewriteThrough(IndexEntry{"", "SYMBOL()+NAZWA_TOW"}, temp);
    const std::string tempPath = t_.indexPath(temp);
    if (t_.ws.env().exists(tempPath)) must(t_.ws.env().remove(tempPath), def_.table, "remove " + tempPath);
  }

  // Builds an index named `file` on `e`, then rewrites the table in its order.
  void rewriteThrough(const IndexEntry& e, const std::string& file) {
    const std::string path = t_.indexPath(file);
    base::Status s;
    try {
      s = db::indexOn(*area_, path, db::IndexSpec(std::string(e.key), std::string(e.condition), e.unique));
    } catch (const std::exception& x) {
      throw RebuildError(std::string(def_.table) + ": index " + file + ": " + x.what());
    }
    must(s, def_.table, "index " + file);
    const std::vector<std::uint32_t> order = recordsInOrder();
    area_->clearOrders();
    must(db::rewriteInOrder(*area_, order), def_.table, "rewrite");
  }

  // R4: one record per number, in number order, which leaves a single head-office record
  // too. The numbers are sorted in memory; the copy left in the station folder is the
  // rewritten table's files copied.
  void keepOnePerNumber() {
    const IndexEntry* unique = nullptr;
    for (const IndexEntry& e : def_.indexes)
      if (e.repairOnly) unique = &e;
    if (unique == nullptr) return;
    const std::vector<std::uint32_t> order = firstLiveRecordPerNumber(area_->field(field("NR_KON")));
    // A table already in that shape (as after the last rebuild) would be rewritten as it is.
    bool asItIs = order.size() == area_->lastRec();
    for (std::size_t i = 0; asItIs && i < order.size(); ++i) asItIs = order[i] == i + 1;
    if (!asItIs) {
      removeOwnIndexes();  // R1
      must(db::rewriteInOrder(*area_, order), def_.table, "rewrite");
    }
    // The copy is made on the commit thread while the indexes are built.
    commit_.later([&env = t_.ws.env(), table = area_->table().path(), copy = t_.tablePath(name(*unique))] {
      try {
        const std::string memo = xbase::memoPathFor(table);
        if (env.exists(memo)) copyFile(env, memo, xbase::memoPathFor(copy), false);
        copyFile(env, table, copy, false);
        return base::Status::ok();
      } catch (const RebuildError& x) {
        return base::Status(base::Errc::Io, x.what());
      }
    });
  }

  // The first live (undeleted) record of each number, in number order; equal numbers keep
  // record order. A deleted record never hides a live one with its number.
  std::vector<std::uint32_t> firstLiveRecordPerNumber(const xbase::dbf::Field& f) {
    struct Entry {
      std::string_view number;
      std::uint32_t recno;
    };
    std::string numbers;  // every live record's number, side by side
    std::vector<std::uint32_t> recnos;
    area_->forEachRecordBytes(false, [&](std::uint32_t r, std::span<const std::byte> rec) {
      if (xbase::isDeleted(rec)) return;
      numbers.append(reinterpret_cast<const char*>(rec.data()) + f.offset, f.length);
      recnos.push_back(r);
    });
    std::vector<Entry> entries;
    entries.reserve(recnos.size());
    for (std::size_t i = 0; i < recnos.size(); ++i)
      entries.push_back({std::string_view(numbers).substr(i * f.length, f.length), recnos[i]});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.number < b.number; });
    std::vector<std::uint32_t> order;
    order.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (i == 0 || entries[i].number != entries[i - 1].number) order.push_back(entries[i].recno);
    return order;
  }

  Tables& t_;
  const CatalogueTable& def_;
  sys::DeferredCommit& commit_;
  db::WorkArea* area_ = nullptr;
  std::uint64_t records_ = 0;
  std::uint64_t keys_ = 0;
};

bool tableExists(Tables& t, std::string_view name) { return t.ws.env().exists(t.tablePath(name)); }

void deleteAllIndexes(Tables& t) {
  for (const std::string& path : t.paths.glob("*.NTX"))
    if (base::Status s = t.ws.env().remove(path); !s) throw RebuildError(path + ": not removed: " + s.toString());
}

// R6: the station's print settings come from the program folder when the station has none.
void provideStationCopy(Tables& t, const CatalogueTable& def) {
  const std::string station = t.stationFolder() + std::string(def.table);
  if (tableExists(t, station) || !tableExists(t, def.table)) return;
  sys::Env& env = t.ws.env();
  const std::string from = t.tablePath(def.table);
  const std::string to = t.tablePath(station);
  const std::string memoFrom = from.substr(0, from.size() - 4) + ".DBT";
  // The memo file goes first: a table is never there without the memo file it refers to.
  if (env.exists(memoFrom)) copyFile(env, memoFrom, to.substr(0, to.size() - 4) + ".DBT");
  copyFile(env, from, to);
}

}  // namespace

void rebuildIndexes(Tables& t, const RebuildRequest& request, RebuildHooks& hooks) {
  const char group = static_cast<char>(upper(std::string_view(&request.group, 1))[0]);
  // Index files written meanwhile take their names here, also on the way out of an
  // abandoned rebuild.
  sys::DeferredCommit commit(t.ws.env());
  struct CloseAll {
    Tables& t;
    ~CloseAll() {
      t.ws.closeAll();
      xbase::NtxBuilder::releaseSpareMemory();  // the sort memory the builds shared
    }
  } closeAll{t};
  if (request.deleteAll && group == ' ') deleteAllIndexes(t);
  for (const CatalogueTable& def : indexCatalogue()) {
    if (!groupRebuilds(group, def.group)) continue;
    if (def.needsOrderPair && (!tableExists(t, "ZAM_N") || !tableExists(t, "ZAM_P"))) {
      hooks.skipped(def, "ZAM_N and ZAM_P are not both there");
      continue;
    }
    if (def.inStation) provideStationCopy(t, def);
    const std::string name = (def.inStation ? t.stationFolder() : std::string()) + std::string(def.table);
    if (request.skipMissing && !tableExists(t, name)) {
      hooks.skipped(def, "the table is missing");
      continue;
    }
    if (!USE_(t, name, "E!", {}, Caller{"INDEX", 0})) continue;
    TableRebuild rebuild(t, def, commit);
    rebuild.run(hooks);
    hooks.finished(def, rebuild.records(), rebuild.keys());
  }
  if (base::Status s = commit.wait(); !s) throw RebuildError("indexes: " + s.toString());
}

}  // namespace store
