// src/sys/deferred_commit.hpp — putting newly written files in place on a thread of their
// own: each is synced to the disk, closed and renamed over its final name, in the order
// handed over. A writer of many files (the index rebuild) then goes on with its next file
// while the disk catches up, and every file still reaches the disk before it takes its name.
// Other file work that nothing waits for may join the same queue.
// Not here: writing the files (their writers), the file system calls (env.hpp).
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "base/result.hpp"
#include "sys/env.hpp"

namespace sys {

class DeferredCommit {
 public:
  explicit DeferredCommit(Env& env) : env_(env) {}
  // Waits for every file handed over.
  ~DeferredCommit();
  DeferredCommit(const DeferredCommit&) = delete;
  DeferredCommit& operator=(const DeferredCommit&) = delete;

  // Syncs `file` (open on `temporary`), closes it and renames `temporary` to `path`. A file
  // that fails is removed and its error kept for wait(). Without a thread to be had, this
  // happens here and now.
  void commit(std::unique_ptr<File> file, std::string temporary, std::string path);
  // Runs `work` in its turn on the same thread (here and now without one); a failure is kept
  // for wait() like a commit's.
  void later(std::function<base::Status()> work);
  // Waits until every file handed over so far is in place (or has failed); the first
  // failure since the last wait(), if any.
  base::Status wait();

 private:
  using Job = std::function<base::Status()>;
  void run(Job& job);
  void serve();

  Env& env_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> jobs_;
  bool busy_ = false, stopping_ = false;
  base::Status failure_;
  std::thread thread_;
};

}  // namespace sys
