// src/xbase/ntx_build.hpp — creating an index from all its keys at once (INDEX ON,
// REINDEX): keys arrive in record order, are sorted in memory-bounded runs, merged, and
// written bottom-up. Not here: the page writer (internal/ntx_writer.hpp), changing an
// existing index key by key (ntx_file.hpp), evaluating key expressions (the caller).
//
// Memory stays within the budget whatever the number of keys: a run holds as many keys as
// fit, is sorted and written to a temporary file beside the index, and the runs are merged
// at the end. Equal keys keep their arrival order (record order). A UNIQUE index keeps the
// first of equal keys. The new index is written under a temporary name and renamed over
// the old one, so a failed build leaves the old file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.hpp"
#include "sys/deferred_commit.hpp"
#include "sys/env.hpp"
#include "sys/large_buffer.hpp"
#include "xbase/ntx_file.hpp"

namespace xbase {

class NtxBuilder {
 public:
  static constexpr std::size_t kDefaultMemory = std::size_t{64} << 20;

  NtxBuilder(sys::Env& env, std::string path, NtxDefinition def, std::size_t memoryBudget = kDefaultMemory);
  ~NtxBuilder();
  NtxBuilder(const NtxBuilder&) = delete;
  NtxBuilder& operator=(const NtxBuilder&) = delete;

  // REQUIRES: key.size() == the definition's key size.
  base::Status add(std::string_view key, std::uint32_t recno);
  // Sorts, writes the index and renames it into place; with `commit`, the written file is
  // handed to it to be synced and renamed.
  base::Status finish(sys::DeferredCommit* commit = nullptr);

  std::size_t runsWritten() const { return runs_.size(); }
  std::size_t keySize() const { return def_.keySize; }
  // A finished builder leaves its buffers to the next one, so that a run of builds fills
  // fresh memory once; this gives them back to the system (at the end of such a run).
  static void releaseSpareMemory();
  // Keys in the finished index (after UNIQUE dropped the repeats).
  std::uint64_t keysWritten() const { return keysWritten_; }

 public:
  // A sort handle: 16 key bytes, from the first byte in which the run's keys differ, as two
  // big-endian numbers (integer order is byte order), and the key's position in the run
  // buffer.
  struct Handle {
    std::uint64_t prefix, prefix2;
    std::uint32_t pos;
  };

 private:
  struct Run;
  base::Status spill();
  void sortBuffer();
  base::Status writeTree(sys::File& out);
  base::Status mergeRuns(const std::function<void(const char*)>& emit);

  sys::Env& env_;
  std::string path_;
  NtxDefinition def_;
  std::size_t recordSize_;
  std::size_t memory_;
  std::size_t capacity_;  // keys a run holds
  sys::LargeBuffer<char> buffer_;  // a run's keys with their record numbers, as they came
  std::size_t bufferBytes_ = 0;    // its size, at least capacity_ keys
  std::size_t used_ = 0;            // bytes of buffer_ in use
  sys::LargeBuffer<Handle> sorted_;  // the run's keys in order, the first sortedCount_
  std::size_t sortedCount_ = 0, sortedCapacity_ = 0;
  std::vector<std::unique_ptr<Run>> runs_;
  bool finished_ = false;
  std::uint64_t keysWritten_ = 0;
};

}  // namespace xbase
