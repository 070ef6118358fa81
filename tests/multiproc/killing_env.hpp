// tests/multiproc/killing_env.hpp — a file system that kills the process at the chosen
// file-changing operation (an open that may create, a write, a truncation, a rename, a
// removal, and a sync when asked), before it or half way through a write.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "sys/posix_env.hpp"

namespace testkit {

// Counts the operations that change files and kills the process at the chosen one.
struct Killer {
  int at = 0;  // 0: never
  bool tearWrite = false;
  bool atSyncs = false;  // syncs count as operations too
  int count = 0;
  // Index builds and their commits call from several threads.
  bool due() { return std::atomic_ref<int>(count).fetch_add(1) + 1 == at; }
  [[noreturn]] static void die() {
    raise(SIGKILL);
    _exit(99);
  }
};

class KillingFile final : public sys::File {
 public:
  KillingFile(std::unique_ptr<sys::File> f, Killer& k) : f_(std::move(f)), k_(k) {}
  const std::string& path() const override { return f_->path(); }
  base::Result<std::size_t> readAt(std::uint64_t o, std::span<std::byte> out) override { return f_->readAt(o, out); }
  base::Status writeAt(std::uint64_t o, std::span<const std::byte> data) override {
    if (k_.due()) {
      if (k_.tearWrite) (void)f_->writeAt(o, data.first(data.size() / 2));
      Killer::die();
    }
    return f_->writeAt(o, data);
  }
  base::Result<std::uint64_t> size() override { return f_->size(); }
  base::Status truncate(std::uint64_t s) override {
    if (k_.due()) Killer::die();
    return f_->truncate(s);
  }
  base::Status sync() override {
    if (k_.atSyncs && k_.due()) Killer::die();
    return f_->sync();
  }
  base::Status lockRange(std::uint64_t o, std::uint64_t l, sys::LockKind k, sys::Wait w) override {
    return f_->lockRange(o, l, k, w);
  }
  base::Status unlockRange(std::uint64_t o, std::uint64_t l) override { return f_->unlockRange(o, l); }
  base::Status lockWhole(sys::LockKind k, sys::Wait w) override { return f_->lockWhole(k, w); }
  base::Status unlockWhole() override { return f_->unlockWhole(); }

 private:
  std::unique_ptr<sys::File> f_;
  Killer& k_;
};

class KillingEnv final : public sys::Env {
 public:
  explicit KillingEnv(Killer& k) : k_(k) {}
  base::Result<std::unique_ptr<sys::File>> open(const std::string& path, sys::Access a, sys::Creation c) override {
    if (c != sys::Creation::OpenExisting && k_.due()) Killer::die();
    auto f = real_.open(path, a, c);
    if (!f) return f.error();
    return std::unique_ptr<sys::File>(std::make_unique<KillingFile>(std::move(*f), k_));
  }
  base::Status rename(const std::string& from, const std::string& to) override {
    if (k_.due()) Killer::die();
    return real_.rename(from, to);
  }
  base::Status remove(const std::string& path) override {
    if (k_.due()) Killer::die();
    return real_.remove(path);
  }
  bool exists(const std::string& path) override { return real_.exists(path); }
  base::Status makeDir(const std::string& path) override { return real_.makeDir(path); }
  base::Result<std::vector<sys::DirEntry>> list(const std::string& dir) override { return real_.list(dir); }
  bool isNetworkFileSystem(const std::string& path) override { return real_.isNetworkFileSystem(path); }

 private:
  sys::PosixEnv real_;
  Killer& k_;
};

// Runs `work` (given the killing file system, answering whether it finished) in a child
// process that dies at the killer's operation; true when the child finished. An exception
// in the child counts as not finished.
template <typename Work>
bool finishedInChild(Killer killer, Work work) {
  const pid_t pid = fork();
  if (pid == 0) {
    KillingEnv env(killer);
    bool finished = false;
    try {
      finished = work(env);
    } catch (const std::exception&) {
    }
    _exit(finished ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace testkit
