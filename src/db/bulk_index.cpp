// src/db/bulk_index.cpp — INDEX ON, REINDEX and temporary indexes (rules I1..I4).
#include "db/bulk_index.hpp"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

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

// One index being built: its builder and, when the key can be read from the record bytes,
// that reader.
struct Target {
  const Built* built;
  const std::string* path;
  std::unique_ptr<xbase::NtxBuilder> builder;
  std::unique_ptr<RecordKey> direct;
  Status added;
  bool needsRuntime() const { return !direct || built->condition; }
  void add(std::span<const std::byte> record, std::uint32_t recno) {
    if (added) added = builder->add(direct->bytes(record, built->def.keySize, built->def.keyDecimals), recno);
  }
};

// The builders whose keys are all gathered wait here to be sorted and written, by whichever
// of the two threads is free; a thread still gathering keys adds its builders when done.
class FinishQueue {
 public:
  FinishQueue(int gatherers, sys::DeferredCommit* commit) : gathering_(gatherers), commit_(commit) {}
  void gathered(const std::vector<Target*>& done) {
    std::lock_guard lock(mutex_);
    waiting_.insert(waiting_.end(), done.begin(), done.end());
    std::stable_sort(waiting_.begin(), waiting_.end(), [](const Target* a, const Target* b) {
      return a->builder->keySize() < b->builder->keySize();  // the larger keys go first, from the back
    });
    --gathering_;
    ready_.notify_all();
  }
  // Nothing more is finished (a thread failed): no file is written from partial keys.
  void abandon() {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    ready_.notify_all();
  }
  bool abandoned() const { return abandoned_; }
  // Finishes waiting builders until none is left and no thread is still gathering.
  void work() {
    for (;;) {
      Target* t = nullptr;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [&] { return abandoned_ || !waiting_.empty() || gathering_ == 0; });
        if (abandoned_ || waiting_.empty()) return;
        t = waiting_.back();
        waiting_.pop_back();
      }
      if (t->added) t->added = t->builder->finish(commit_);
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::vector<Target*> waiting_;
  int gathering_;
  sys::DeferredCommit* commit_;
  std::atomic<bool> abandoned_{false};
};

// The keys for `mine` from a walk of records 1..last that reads the table file only.
void gatherFromBytes(const xbase::DbfFile& table, std::uint32_t last, const std::vector<Target*>& mine, const FinishQueue& queue) {
  const std::size_t length = table.recordLength();
  std::vector<std::byte> block(std::max<std::size_t>((std::size_t{1} << 20) / length, 1) * length);
  for (std::uint32_t r = 1, got; !queue.abandoned() && (got = table.readRecordsThrough(r, last, block)) > 0;)
    for (std::uint32_t i = 0; i < got; ++i, ++r)
      for (Target* t : mine) t->add(std::span<const std::byte>(block).subspan(std::size_t{i} * length, length), r);
}

// I2, I3, I5: writes each index to its path from one pass over the records; the builders
// sort in bounded memory and rename a new file over the old one. Returns the number of keys
// written to each. With two or more indexes a second thread gathers the keys of some of them
// (those read from the record bytes) in a walk of its own, and both threads then sort and
// write; the keys going through the runtime stay on this thread.
std::vector<std::uint64_t> buildAll(WorkArea& area, const std::vector<std::string>& paths, const std::vector<Built>& builds,
                                    sys::DeferredCommit* commit = nullptr, bool* deletedSeen = nullptr) {
  Workspace& ws = area.workspace();
  std::vector<Target> targets(builds.size());
  std::vector<Target*> mine, helpers, byteReaders;
  for (std::size_t i = 0; i < builds.size(); ++i) {
    Target& t = targets[i];
    t.built = &builds[i];
    t.path = &paths[i];
    t.builder = std::make_unique<xbase::NtxBuilder>(ws.env(), paths[i], builds[i].def);
    // Most keys are read straight from the record bytes; the rest go through the runtime.
    t.direct = RecordKey::compile(builds[i].def.keyExpr, area.table().fields(), &ws.runtime());
    (t.needsRuntime() ? mine : byteReaders).push_back(&t);
  }
  // The byte readers are shared out so that both threads gather for about as long: the
  // costliest first, each to the thread with less to do. A key's cost is guessed from its
  // calls; the runtime's keys cost more still.
  const auto cost = [](const Target* t) {
    const std::string& key = t->built->def.keyExpr;
    const auto calls = static_cast<std::size_t>(std::count(key.begin(), key.end(), '('));
    return (1 + calls) * (t->needsRuntime() ? 4 : 1);
  };
  std::stable_sort(byteReaders.begin(), byteReaders.end(), [&](const Target* a, const Target* b) { return cost(a) > cost(b); });
  std::size_t mineCost = 0, helpersCost = 0;
  for (const Target* t : mine) mineCost += cost(t);
  for (Target* t : byteReaders) {
    if (mineCost <= helpersCost) {
      mine.push_back(t);
      mineCost += cost(t);
    } else {
      helpers.push_back(t);
      helpersCost += cost(t);
    }
  }
  const bool runtimeNeeded = std::any_of(mine.begin(), mine.end(), [](const Target* t) { return t->needsRuntime(); });
  area.flush();
  const std::uint32_t last = area.table().recordCount();
  FinishQueue queue(helpers.empty() ? 1 : 2, commit);
  std::exception_ptr helperFault;
  std::thread helper;
  if (!helpers.empty()) {
    try {
      helper = std::thread([&] {
        try {
          gatherFromBytes(area.table(), last, helpers, queue);
          queue.gathered(helpers);
          queue.work();
        } catch (...) {
          helperFault = std::current_exception();
          queue.abandon();
        }
      });
    } catch (const std::system_error&) {
      // No second thread to be had: this one gathers every key.
      mine.insert(mine.end(), helpers.begin(), helpers.end());
      queue.gathered({});
    }
  }
  // Leaving by an exception: the other thread stops and is waited for.
  struct Join {
    std::thread& t;
    FinishQueue& queue;
    ~Join() {
      if (!t.joinable()) return;
      queue.abandon();
      t.join();
    }
  } join{helper, queue};
  area.forEachRecordBytes(runtimeNeeded, [&](std::uint32_t recno, std::span<const std::byte> record) {
    if (recno > last || queue.abandoned()) return;
    if (deletedSeen != nullptr && xbase::isDeleted(record)) *deletedSeen = true;
    for (Target* t : mine) {
      if (!t->added) continue;
      const Built& b = *t->built;
      if (b.condition && !ws.testIn(area, b.condition)) continue;
      if (t->direct)
        t->add(record, recno);
      else
        t->added = t->builder->add(encodeKey(ws.evalIn(area, b.key), b.def.keySize, b.def.keyDecimals), recno);
    }
  });
  queue.gathered(mine);
  queue.work();
  if (helper.joinable()) helper.join();
  if (helperFault) std::rethrow_exception(helperFault);
  std::vector<std::uint64_t> keys;
  for (const Target& t : targets) {
    if (!t.added) throw base::IoFault(*t.path, "index not built: " + t.added.message());
    keys.push_back(t.builder->keysWritten());
  }
  return keys;
}

std::uint64_t build(WorkArea& area, const std::string& path, const Built& b) { return buildAll(area, {path}, {b})[0]; }

}  // namespace

Status indexOn(WorkArea& area, const std::string& path, const IndexSpec& wanted, std::uint64_t* keys) {
  std::vector<std::uint64_t> written;
  const Status s = indexAll(area, {IndexTarget{path, wanted}}, &written);
  if (s && keys != nullptr) *keys = written[0];
  return s;
}

Status reindex(WorkArea& area) {
  if (area.table().share() != xbase::Share::Exclusive)
    return Status(Errc::Refused, "REINDEX needs exclusive use of " + area.alias());
  const int controlling = area.orderNumber();
  auto orders = area.releaseOrders();
  std::vector<Built> builds;
  std::vector<std::string> paths;
  for (auto& o : orders) {
    const xbase::ntx::Header h = o->file().header();
    builds.push_back({{h.keyExpr, h.forExpr, h.keySize, h.keyDecimals, h.unique, h.descending}, o->key(), o->condition()});
    paths.push_back(o->path());
    o.reset();  // the old file is closed before the new one replaces it
  }
  buildAll(area, paths, builds);
  for (const std::string& path : paths)
    if (Status s = area.addOrder(path); !s) return s;
  area.setOrder(controlling);
  area.goTop();
  return Status::ok();
}

namespace {

// I1 for every target, then the build; `commit` as for writeIndexes.
Status buildTargets(WorkArea& area, const std::vector<IndexTarget>& targets, sys::DeferredCommit* commit,
                    std::vector<std::uint64_t>* keys, bool* deletedSeen = nullptr) {
  area.flush();
  std::vector<Built> builds;
  std::vector<std::string> paths;
  for (const IndexTarget& t : targets) {
    auto b = define(area, t.wanted);
    if (!b) return b.error();
    builds.push_back(std::move(*b));
    paths.push_back(t.path);
  }
  area.clearOrders();
  if (deletedSeen != nullptr) *deletedSeen = false;
  const std::vector<std::uint64_t> written = buildAll(area, paths, builds, commit, deletedSeen);
  if (keys != nullptr) *keys = written;
  return Status::ok();
}

}  // namespace

Status indexAll(WorkArea& area, const std::vector<IndexTarget>& targets, std::vector<std::uint64_t>* keys) {
  if (Status s = buildTargets(area, targets, nullptr, keys); !s) return s;
  for (const IndexTarget& t : targets)
    if (Status s = area.addOrder(t.path); !s) return s;
  area.goTop();
  return Status::ok();
}

Status writeIndexes(WorkArea& area, const std::vector<IndexTarget>& targets, sys::DeferredCommit& commit,
                    std::vector<std::uint64_t>* keys, bool* deletedSeen) {
  return buildTargets(area, targets, &commit, keys, deletedSeen);
}


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
