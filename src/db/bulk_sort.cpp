// src/db/bulk_sort.cpp — buffer, runs and the merge of KeySorter.
#include "db/bulk_sort.hpp"

#include <algorithm>
#include <cstring>
#include <queue>

#include "base/fault.hpp"

namespace db {

namespace {

constexpr std::size_t kReadBlock = 256u << 10;

std::uint32_t loadRecno(const std::byte* p) {
  return (std::to_integer<std::uint32_t>(p[0]) << 24) | (std::to_integer<std::uint32_t>(p[1]) << 16) |
         (std::to_integer<std::uint32_t>(p[2]) << 8) | std::to_integer<std::uint32_t>(p[3]);
}

void storeRecno(std::byte* p, std::uint32_t r) {
  p[0] = std::byte(r >> 24);
  p[1] = std::byte(r >> 16);
  p[2] = std::byte(r >> 8);
  p[3] = std::byte(r);
}

// One run file read a block at a time.
struct RunReader {
  std::unique_ptr<sys::File> file;
  std::size_t entrySize = 0;
  std::uint64_t left = 0;
  std::uint64_t offset = 0;
  std::vector<std::byte> block;
  std::size_t pos = 0;

  const std::byte* current() const { return block.data() + pos; }
  bool advance() {  // false: the run is used up
    pos += entrySize;
    if (pos < block.size()) return true;
    return refill();
  }
  bool refill() {
    if (left == 0) return false;
    const std::uint64_t n = std::min<std::uint64_t>(left, std::max<std::size_t>(1, kReadBlock / entrySize));
    block.resize(static_cast<std::size_t>(n) * entrySize);
    auto r = file->readAt(offset, block);
    if (!r || *r != block.size()) throw base::IoFault(file->path(), "sort run cut short");
    offset += block.size();
    left -= n;
    pos = 0;
    return true;
  }
};

}  // namespace

KeySorter::KeySorter(sys::Env& env, std::string runPrefix, std::size_t keySize, bool descending, std::size_t budget)
    : env_(env), prefix_(std::move(runPrefix)), keySize_(keySize), entrySize_(keySize + 4), descending_(descending) {
  capacity_ = std::max<std::size_t>(budget / entrySize_, 2);
}

KeySorter::~KeySorter() {
  for (const std::string& r : runs_) (void)env_.remove(r);
}

bool KeySorter::less(const std::byte* a, const std::byte* b) const {
  const int c = std::memcmp(a, b, keySize_);
  if (c != 0) return descending_ ? c > 0 : c < 0;
  return loadRecno(a + keySize_) < loadRecno(b + keySize_);
}

void KeySorter::add(std::string_view key, std::uint32_t recno) {
  if (count_ == capacity_) spill();
  if (buffer_.size() < (count_ + 1) * entrySize_)
    buffer_.resize(std::min(capacity_, std::max<std::size_t>(1024, count_ * 2)) * entrySize_);
  std::byte* p = buffer_.data() + count_ * entrySize_;
  std::memcpy(p, key.data(), keySize_);
  storeRecno(p + keySize_, recno);
  ++count_;
}

void KeySorter::sortBuffer() {
  // Sort an index of entry positions, then lay the entries out in that order.
  std::vector<std::uint32_t> idx(count_);
  for (std::size_t i = 0; i < count_; ++i) idx[i] = static_cast<std::uint32_t>(i);
  const std::byte* base = buffer_.data();
  std::sort(idx.begin(), idx.end(), [&](std::uint32_t x, std::uint32_t y) {
    return less(base + std::size_t{x} * entrySize_, base + std::size_t{y} * entrySize_);
  });
  std::vector<std::byte> sorted(count_ * entrySize_);
  for (std::size_t i = 0; i < count_; ++i)
    std::memcpy(sorted.data() + i * entrySize_, base + std::size_t{idx[i]} * entrySize_, entrySize_);
  std::memcpy(buffer_.data(), sorted.data(), sorted.size());
}

void KeySorter::spill() {
  sortBuffer();
  const std::string path = prefix_ + std::to_string(runs_.size());
  auto f = env_.open(path, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!f) throw base::IoFault(path, "sort run: " + f.error().message());
  runs_.push_back(path);
  if (auto s = (*f)->writeAt(0, std::span<const std::byte>(buffer_.data(), count_ * entrySize_)); !s)
    throw base::IoFault(path, "sort run: " + s.message());
  runEntries_.push_back(count_);
  count_ = 0;
}

void KeySorter::finish(const std::function<void(std::string_view, std::uint32_t)>& out) {
  auto emit = [&](const std::byte* p) {
    out(std::string_view(reinterpret_cast<const char*>(p), keySize_), loadRecno(p + keySize_));
  };
  if (runs_.empty()) {
    sortBuffer();
    for (std::size_t i = 0; i < count_; ++i) emit(buffer_.data() + i * entrySize_);
    return;
  }
  if (count_ > 0) spill();
  buffer_ = {};
  std::vector<RunReader> readers;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    auto f = env_.open(runs_[i], sys::Access::ReadOnly);
    if (!f) throw base::IoFault(runs_[i], "sort run: " + f.error().message());
    RunReader r;
    r.file = std::move(*f);
    r.entrySize = entrySize_;
    r.left = runEntries_[i];
    readers.push_back(std::move(r));
  }
  auto greater = [&](std::size_t a, std::size_t b) { return less(readers[b].current(), readers[a].current()); };
  std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(greater)> heap(greater);
  for (std::size_t i = 0; i < readers.size(); ++i)
    if (readers[i].refill()) heap.push(i);
  while (!heap.empty()) {
    const std::size_t i = heap.top();
    heap.pop();
    emit(readers[i].current());
    if (readers[i].advance()) heap.push(i);
  }
}

}  // namespace db
