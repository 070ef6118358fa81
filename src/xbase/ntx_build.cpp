// src/xbase/ntx_build.cpp — sorted runs, their merge, and the bottom-up write; see
// ntx_build.hpp.
#include "xbase/ntx_build.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <queue>
#include <tuple>
#include <utility>

#include "base/bytes.hpp"
#include "base/check.hpp"
#include "base/fault.hpp"
#include "xbase/internal/ntx_writer.hpp"
#include "xbase/ntx_header.hpp"

namespace xbase {
namespace {

constexpr std::size_t kRunChunk = std::size_t{1} << 20;
// Eight key bytes from `at` as a big-endian number (zeros past the end), so that
// integer order is byte order.
std::uint64_t wordAt(const char* key, std::size_t size, std::size_t at) {
  std::uint64_t v = 0;
  if (at + 8 <= size) {
    std::memcpy(&v, key + at, 8);
    return __builtin_bswap64(v);
  }
  for (std::size_t i = at; i < at + 8; ++i) v = (v << 8) | (i < size ? static_cast<unsigned char>(key[i]) : 0u);
  return v;
}

// Byte order of the key bytes from offset `from` on, a word at a time.
int compareTail(const char* a, const char* b, std::size_t size, std::size_t from) {
  for (std::size_t at = from; at < size; at += 8) {
    const std::uint64_t x = wordAt(a, size, at), y = wordAt(b, size, at);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

// The buffers of finished builds, kept for the next ones: a rebuild of many indexes then
// asks the system for fresh (zero-filled) memory once rather than for every index. Builds
// running side by side each take their own.
template <typename T>
class SparePool {
 public:
  // A kept buffer of at least `size` elements (the smallest such), or a new one. A new one
  // replaces the largest kept buffer, which is too small: the pool holds no more buffers
  // than builds ever ran side by side.
  std::pair<sys::LargeBuffer<T>, std::size_t> take(std::size_t size) {
    std::lock_guard lock(mutex_);
    auto best = kept_.end(), largest = kept_.end();
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
      if (it->second >= size && (best == kept_.end() || it->second < best->second)) best = it;
      if (largest == kept_.end() || it->second > largest->second) largest = it;
    }
    if (best == kept_.end()) {
      if (largest != kept_.end()) kept_.erase(largest);
      return {sys::makeLargeBuffer<T>(size), size};
    }
    auto taken = std::move(*best);
    kept_.erase(best);
    return taken;
  }
  void give(sys::LargeBuffer<T> buffer, std::size_t size) {
    if (!buffer) return;
    std::lock_guard lock(mutex_);
    kept_.emplace_back(std::move(buffer), size);
  }
  void clear() {
    std::lock_guard lock(mutex_);
    kept_.clear();
  }

 private:
  std::mutex mutex_;
  std::vector<std::pair<sys::LargeBuffer<T>, std::size_t>> kept_;
};

SparePool<char>& spareKeys() {
  static SparePool<char> pool;
  return pool;
}
SparePool<NtxBuilder::Handle>& spareHandles() {
  static SparePool<NtxBuilder::Handle> pool;
  return pool;
}

}  // namespace

void NtxBuilder::releaseSpareMemory() {
  spareKeys().clear();
  spareHandles().clear();
}

struct NtxBuilder::Run {
  std::unique_ptr<sys::File> file;
  std::string path;
  std::uint64_t size = 0, readAt = 0;
  std::vector<char> chunk;
  std::size_t at = 0;
};

using Handle = NtxBuilder::Handle;

NtxBuilder::NtxBuilder(sys::Env& env, std::string path, NtxDefinition def, std::size_t memoryBudget)
    : env_(env), path_(std::move(path)), def_(std::move(def)), recordSize_(def_.keySize + 4u), memory_(memoryBudget) {
  // Each key takes its bytes in the run buffer and one sort handle.
  capacity_ = std::max<std::size_t>(memoryBudget / (recordSize_ + sizeof(Handle)), 16);
  capacity_ = std::min<std::size_t>(capacity_, 0xFFFFFFFFu / recordSize_);
}

NtxBuilder::~NtxBuilder() {
  spareKeys().give(std::move(buffer_), bufferBytes_);
  spareHandles().give(std::move(sorted_), sortedCapacity_);
  for (auto& r : runs_) {
    r->file.reset();
    (void)env_.remove(r->path);
  }
}

base::Status NtxBuilder::add(std::string_view key, std::uint32_t recno) {
  ZEL_CHECK(key.size() == def_.keySize && !finished_);
  if (used_ / recordSize_ >= capacity_)
    if (auto s = spill(); !s) return s;
  // The whole run's room at once, uninitialised: untouched memory costs nothing.
  // The whole budget, whatever the key size: every build can then take over the buffer of
  // any other, with the pages that one already touched.
  if (!buffer_) std::tie(buffer_, bufferBytes_) = spareKeys().take(std::max(memory_, capacity_ * recordSize_));
  char* at = buffer_.get() + used_;
  std::memcpy(at, key.data(), key.size());
  base::storeU32le(reinterpret_cast<std::byte*>(at + key.size()), recno);
  used_ += recordSize_;
  return base::Status::ok();
}

// The bucket of a key: its bytes from the first in which the run's keys differ, read as
// digits of a mixed radix where each position counts only the byte values that occur there.
// Keys of a few symbols (digits, dates, codes) then spread over many buckets instead of
// the few that their first two bytes would give; the order of buckets is the keys' order.
class Buckets {
 public:
  Buckets(const char* base, std::size_t n, std::size_t stride, std::size_t keySize, std::size_t from, bool descending)
      : from_(from), descending_(descending) {
    const std::size_t depth = std::min(kDepth, keySize - std::min(from, keySize));
    std::array<std::array<bool, 256>, kDepth> seen{};
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t p = 0; p < depth; ++p) seen[p][static_cast<unsigned char>(base[i * stride + from + p])] = true;
    // About one key a bucket at most, and a count table that stays small.
    const std::size_t most = std::min<std::size_t>(std::size_t{1} << 16, std::max<std::size_t>(2 * n, 1));
    for (; positions_ < depth; ++positions_) {
      std::uint16_t distinct = 0;
      for (std::size_t v = 0; v < 256; ++v)
        if (seen[positions_][v]) rank_[positions_][v] = distinct++;
      if (count_ * distinct > most) break;
      radix_[positions_] = distinct;
      count_ *= distinct;
    }
  }
  std::size_t count() const { return count_; }
  std::size_t of(const char* key) const {
    std::size_t b = 0;
    for (std::size_t p = 0; p < positions_; ++p) b = b * radix_[p] + rank_[p][static_cast<unsigned char>(key[from_ + p])];
    return descending_ ? count_ - 1 - b : b;
  }

 private:
  static constexpr std::size_t kDepth = 8;
  std::size_t from_;
  bool descending_;
  std::size_t positions_ = 0, count_ = 1;
  std::array<std::array<std::uint16_t, 256>, kDepth> rank_{};
  std::array<std::size_t, kDepth> radix_{};
};

// Sorts the buffer's keys into `sorted_`, equal keys by arrival: the handles are spread
// into buckets (Buckets above), then each bucket is sorted on its own with small comparison
// sorts that stay in cache.
void NtxBuilder::sortBuffer() {
  const std::size_t n = used_ / recordSize_, ks = def_.keySize;
  const bool desc = def_.descending;
  const std::uint64_t flip = desc ? ~std::uint64_t{0} : 0;
  const char* base = buffer_.get();
  std::size_t common = ks;  // bytes every key of the run shares; they decide nothing
  for (std::size_t i = 1; i < n && common > 0; ++i) {
    const char* k = base + i * recordSize_;
    std::size_t j = 0;
    while (j < common && k[j] == base[j]) ++j;
    common = j;
  }
  // Two passes over the keys: count the buckets, then place each handle in its bucket in
  // arrival order. The handle array is not zeroed first: every slot is written.
  const Buckets buckets(base, n, recordSize_, ks, common, desc);
  const std::size_t bucketCount = buckets.count();
  std::vector<std::uint16_t> bucketOf(n);
  std::vector<std::uint32_t> start(bucketCount + 1, 0);
  for (std::size_t i = 0; i < n; ++i) {
    bucketOf[i] = static_cast<std::uint16_t>(buckets.of(base + i * recordSize_));
    ++start[bucketOf[i] + 1u];
  }
  for (std::size_t b = 1; b <= bucketCount; ++b) start[b] += start[b - 1];
  if (sortedCapacity_ < n) {
    spareHandles().give(std::move(sorted_), sortedCapacity_);
    std::tie(sorted_, sortedCapacity_) = spareHandles().take(std::max(n, memory_ / sizeof(Handle)));
  }
  sortedCount_ = n;
  {
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
      const char* k = base + i * recordSize_;
      const Handle h{wordAt(k, ks, common) ^ flip, wordAt(k, ks, common + 8) ^ flip,
                     static_cast<std::uint32_t>(i * recordSize_)};
      sorted_[next[bucketOf[i]]++] = h;
    }
  }
  const std::size_t tailFrom = common + 16;
  const auto before = [&](const Handle& a, const Handle& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (a.prefix2 != b.prefix2) return a.prefix2 < b.prefix2;
    if (ks > tailFrom) {
      const int c = compareTail(base + a.pos, base + b.pos, ks, tailFrom);
      if (c != 0) return desc ? c > 0 : c < 0;
    }
    return a.pos < b.pos;
  };
  for (std::size_t b = 0; b < bucketCount; ++b)
    if (start[b + 1] - start[b] > 1) std::sort(sorted_.get() + start[b], sorted_.get() + start[b + 1], before);
}

base::Status NtxBuilder::spill() {
  sortBuffer();
  auto run = std::make_unique<Run>();
  run->path = path_ + ".r" + std::to_string(runs_.size());
  auto f = env_.open(run->path, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!f) return f.error();
  run->file = std::move(*f);
  std::vector<char> out;
  out.reserve(kRunChunk + recordSize_);
  auto flush = [&]() -> base::Status {
    auto s = run->file->writeAt(run->size, std::as_bytes(std::span(out)));
    run->size += out.size();
    out.clear();
    return s;
  };
  for (const Handle& hd : std::span(sorted_.get(), sortedCount_)) {
    out.insert(out.end(), buffer_.get() + hd.pos, buffer_.get() + hd.pos + recordSize_);
    if (out.size() >= kRunChunk)
      if (auto s = flush(); !s) return s;
  }
  if (auto s = flush(); !s) return s;
  runs_.push_back(std::move(run));
  used_ = 0;
  return base::Status::ok();
}

// Each run is read through its own buffer; together they stay within the budget.
base::Status NtxBuilder::mergeRuns(const std::function<void(const char*)>& emit) {
  const std::size_t per = std::max(recordSize_ * 16, std::min(kRunChunk, memory_ / runs_.size())) / recordSize_;
  auto refill = [&](Run& r) -> base::Status {
    const std::uint64_t n = std::min<std::uint64_t>(per * recordSize_, r.size - r.readAt);
    r.chunk.resize(n);
    r.at = 0;
    auto got = r.file->readAt(r.readAt, std::as_writable_bytes(std::span(r.chunk)));
    if (!got) return got.error();
    if (*got != n) return base::Status(base::Errc::Io, r.path + ": sorted run ends early");
    r.readAt += n;
    return base::Status::ok();
  };
  const std::size_t ks = def_.keySize;
  auto after = [&](std::size_t a, std::size_t b) {  // heap order: true when run a's key comes later
    const int c = std::memcmp(runs_[a]->chunk.data() + runs_[a]->at, runs_[b]->chunk.data() + runs_[b]->at, ks);
    if (c != 0) return def_.descending ? c < 0 : c > 0;
    return a > b;  // equal keys: the earlier run holds the earlier records
  };
  std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(after)> heap(after);
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    if (auto s = refill(*runs_[i]); !s) return s;
    if (!runs_[i]->chunk.empty()) heap.push(i);
  }
  while (!heap.empty()) {
    const std::size_t i = heap.top();
    heap.pop();
    Run& r = *runs_[i];
    emit(r.chunk.data() + r.at);
    r.at += recordSize_;
    if (r.at == r.chunk.size())
      if (auto s = refill(r); !s) return s;
    if (!r.chunk.empty()) heap.push(i);
  }
  return base::Status::ok();
}

base::Status NtxBuilder::writeTree(sys::File& out) {
  const ntx::Header proto = ntx::newHeader(def_.keyExpr, def_.forExpr, def_.keySize, def_.keyDecimals, def_.unique,
                                           def_.descending);
  ntx::TreeWriter writer(out, ntx::Geometry{proto.maxItems, proto.keySize}, proto.halfPage);
  const std::size_t ks = def_.keySize;
  std::string last;
  bool any = false;
  auto emit = [&](const char* rec) {
    const std::string_view key(rec, ks);
    if (def_.unique && any && key == last) return;
    if (def_.unique) last.assign(key);
    any = true;
    ++keysWritten_;
    writer.add(key, base::loadU32le(reinterpret_cast<const std::byte*>(rec + ks)));
  };
  if (runs_.empty()) {
    sortBuffer();
    // The keys are read in sorted order, all over the buffer: fetch a few ahead.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < sortedCount_; ++i) {
      if (i + kAhead < sortedCount_) __builtin_prefetch(buffer_.get() + sorted_[i + kAhead].pos);
      emit(buffer_.get() + sorted_[i].pos);
    }
  } else {
    if (used_ > 0)
      if (auto s = spill(); !s) return s;
    if (auto s = mergeRuns(emit); !s) return s;
  }
  ntx::Header h = proto;
  h.version = 1;
  h.root = writer.finish();
  std::array<std::byte, ntx::kPageSize> page{};
  ntx::encodeHeader(h, page);
  return out.writeAt(0, page);
}

base::Status NtxBuilder::finish(sys::DeferredCommit* commit) {
  ZEL_CHECK(!finished_);
  finished_ = true;
  const std::string tmp = path_ + ".new";
  auto f = env_.open(tmp, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!f) return f.error();
  base::Status s = writeTree(**f);
  if (s && commit != nullptr) {
    commit->commit(std::move(*f), tmp, path_);
    return s;
  }
  if (s) s = (*f)->sync();
  f->reset();
  if (s) s = env_.rename(tmp, path_);
  if (!s) (void)env_.remove(tmp);
  return s;
}

}  // namespace xbase
