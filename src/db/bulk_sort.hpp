// src/db/bulk_sort.hpp — sorts (key, record number) entries for an index build within a fixed
// amount of memory: entries gather in a buffer; a full buffer is sorted and written to a run
// file; at the end the runs are merged. Memory stays at the buffer's size plus one read block
// per run, whatever the number of records.
//
// Order: by key bytes (reversed for a descending index), then by record number ascending,
// so equal keys keep the order the records were read in, as a stable sort would.
// Entry layout in the buffer and in run files: key bytes, then the record number as
// 4 bytes big-endian.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sys/env.hpp"

namespace db {

inline constexpr std::size_t kDefaultSortBudget = 64u << 20;

class KeySorter {
 public:
  // Run files are created as `runPrefix` + a number and removed when the sorter is done.
  KeySorter(sys::Env& env, std::string runPrefix, std::size_t keySize, bool descending,
            std::size_t budget = kDefaultSortBudget);
  ~KeySorter();
  KeySorter(const KeySorter&) = delete;
  KeySorter& operator=(const KeySorter&) = delete;

  void add(std::string_view key, std::uint32_t recno);  // REQUIRES: key.size() == keySize
  // Calls `out` for every entry in order. Throws IoFault when a run file fails.
  void finish(const std::function<void(std::string_view key, std::uint32_t recno)>& out);
  std::size_t runCount() const { return runs_.size(); }

 private:
  void sortBuffer();
  void spill();
  bool less(const std::byte* a, const std::byte* b) const;

  sys::Env& env_;
  std::string prefix_;
  std::size_t keySize_, entrySize_;
  bool descending_;
  std::size_t capacity_;  // entries the buffer holds
  std::vector<std::byte> buffer_;
  std::size_t count_ = 0;
  std::vector<std::string> runs_;
  std::vector<std::uint64_t> runEntries_;
};

}  // namespace db
