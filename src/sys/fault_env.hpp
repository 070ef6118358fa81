// src/sys/fault_env.hpp — FaultEnv: an Env that passes everything to another Env and, when
// armed, makes one chosen operation fail, the way a full disk, a pulled cable or a crash
// would. Tests use it to prove that a failure in the middle of a change loses nothing.
//   failNth(op, n)        the n-th call of `op` from now fails with Errc::Io and does nothing
//   cutNthWrite(n, keep)  the n-th write from now stores only its first `keep` bytes, then
//                         fails with Errc::Io (a torn write)
// Each arming fires once. Counts run over every File the FaultEnv opened.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "sys/env.hpp"

namespace sys {

enum class FaultOp { Write, Sync, Rename, Truncate };

class FaultEnv : public Env {
 public:
  explicit FaultEnv(Env& base) : base_(base) {}

  void failNth(FaultOp op, int n);
  void cutNthWrite(int n, std::size_t keep);
  void disarm();
  int calls(FaultOp op) const { return state_->calls[index(op)]; }  // since construction

  base::Result<std::unique_ptr<File>> open(const std::string& path, Access access,
                                           Creation creation = Creation::OpenExisting) override;
  base::Status rename(const std::string& from, const std::string& to) override;
  base::Status remove(const std::string& path) override { return base_.remove(path); }
  bool exists(const std::string& path) override { return base_.exists(path); }
  base::Status makeDir(const std::string& path) override { return base_.makeDir(path); }
  base::Result<std::vector<DirEntry>> list(const std::string& dir) override { return base_.list(dir); }
  bool isNetworkFileSystem(const std::string& path) override { return base_.isNetworkFileSystem(path); }

  // Shared with the Files this Env opened, so they keep counting after the Env is gone.
  struct State {
    int calls[4] = {0, 0, 0, 0};
    std::optional<FaultOp> armedOp;
    int armedAt = 0;                    // the call number (of armedOp) that fails
    std::optional<std::size_t> keep;    // torn write: bytes stored before failing
  };
  // Counts one call of `op`; true when that call must fail (the arming is then used up).
  static bool shouldFail(State& s, FaultOp op);
  static constexpr int index(FaultOp op) { return static_cast<int>(op); }

 private:
  Env& base_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace sys
