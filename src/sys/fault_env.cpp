// src/sys/fault_env.cpp — FaultEnv and the File wrapper that injects its faults.
#include "sys/fault_env.hpp"

namespace sys {

namespace {

base::Status injected(const std::string& what, const std::string& path) {
  return {base::Errc::Io, "injected " + what + " failure: " + path};
}

class FaultFile final : public File {
 public:
  FaultFile(std::unique_ptr<File> base, std::shared_ptr<FaultEnv::State> state)
      : base_(std::move(base)), state_(std::move(state)) {}

  const std::string& path() const override { return base_->path(); }
  base::Result<std::size_t> readAt(std::uint64_t offset, std::span<std::byte> out) override {
    return base_->readAt(offset, out);
  }
  base::Status writeAt(std::uint64_t offset, std::span<const std::byte> data) override {
    const std::optional<std::size_t> keep = state_->keep;
    if (!FaultEnv::shouldFail(*state_, FaultOp::Write)) return base_->writeAt(offset, data);
    if (keep && *keep > 0) {
      base::Status s = base_->writeAt(offset, data.first(std::min(*keep, data.size())));
      if (!s) return s;
    }
    return injected("write", path());
  }
  base::Result<std::uint64_t> size() override { return base_->size(); }
  base::Status truncate(std::uint64_t size) override {
    if (FaultEnv::shouldFail(*state_, FaultOp::Truncate)) return injected("truncate", path());
    return base_->truncate(size);
  }
  base::Status sync() override {
    if (FaultEnv::shouldFail(*state_, FaultOp::Sync)) return injected("sync", path());
    return base_->sync();
  }
  base::Status lockRange(std::uint64_t offset, std::uint64_t length, LockKind kind, Wait wait) override {
    return base_->lockRange(offset, length, kind, wait);
  }
  base::Status unlockRange(std::uint64_t offset, std::uint64_t length) override {
    return base_->unlockRange(offset, length);
  }
  base::Status lockWhole(LockKind kind, Wait wait) override { return base_->lockWhole(kind, wait); }
  base::Status unlockWhole() override { return base_->unlockWhole(); }

 private:
  std::unique_ptr<File> base_;
  std::shared_ptr<FaultEnv::State> state_;
};

}  // namespace

bool FaultEnv::shouldFail(State& s, FaultOp op) {
  const int n = ++s.calls[index(op)];
  if (s.armedOp != op || n != s.armedAt) return false;
  s.armedOp.reset();
  s.keep.reset();
  return true;
}

void FaultEnv::failNth(FaultOp op, int n) {
  state_->armedOp = op;
  state_->armedAt = state_->calls[index(op)] + n;
  state_->keep.reset();
}

void FaultEnv::cutNthWrite(int n, std::size_t keep) {
  failNth(FaultOp::Write, n);
  state_->keep = keep;
}

void FaultEnv::disarm() {
  state_->armedOp.reset();
  state_->keep.reset();
}

base::Result<std::unique_ptr<File>> FaultEnv::open(const std::string& path, Access access, Creation creation) {
  auto f = base_.open(path, access, creation);
  if (!f) return f.error();
  return std::unique_ptr<File>(new FaultFile(std::move(*f), state_));
}

base::Status FaultEnv::rename(const std::string& from, const std::string& to) {
  if (shouldFail(*state_, FaultOp::Rename)) return injected("rename", from);
  return base_.rename(from, to);
}

}  // namespace sys
