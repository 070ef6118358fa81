// src/sys/deferred_commit.cpp — the commit thread and its queue; see deferred_commit.hpp.
#include "sys/deferred_commit.hpp"

#include <system_error>

namespace sys {

DeferredCommit::~DeferredCommit() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void DeferredCommit::run(Job& job) {
  const base::Status s = job();
  job = nullptr;
  std::lock_guard lock(mutex_);
  if (!s && failure_) failure_ = s;
}

void DeferredCommit::commit(std::unique_ptr<File> file, std::string temporary, std::string path) {
  // A std::function must be copyable: the file goes in a shared pointer.
  std::shared_ptr<File> f(std::move(file));
  later([this, f, temporary = std::move(temporary), path = std::move(path)]() mutable {
    base::Status s = f->sync();
    f.reset();
    if (s) s = env_.rename(temporary, path);
    if (!s) (void)env_.remove(temporary);
    return s;
  });
}

void DeferredCommit::later(std::function<base::Status()> work) {
  Job job = std::move(work);
  {
    std::lock_guard lock(mutex_);
    if (!thread_.joinable()) {
      try {
        thread_ = std::thread([this] { serve(); });
      } catch (const std::system_error&) {
      }
    }
    if (thread_.joinable()) {
      jobs_.push_back(std::move(job));
      changed_.notify_all();
      return;
    }
  }
  run(job);
}

void DeferredCommit::serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return !jobs_.empty() || stopping_; });
    if (jobs_.empty()) return;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    busy_ = true;
    lock.unlock();
    run(job);
    lock.lock();
    busy_ = false;
    changed_.notify_all();
  }
}

base::Status DeferredCommit::wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return jobs_.empty() && !busy_; });
  base::Status s = failure_;
  failure_ = base::Status::ok();
  return s;
}

}  // namespace sys
