// src/sys/posix_env.hpp — the production Env on Linux: files through pread/pwrite, byte-range
// locks as open-file-description locks, the whole-file share lock chosen per file system.
//
// Share locks (File::lockWhole) come in two schemes:
//   Flock      flock(2) on the whole file, shared or exclusive. Independent of byte-range
//              locks on local file systems, so a shared opener never blocks a record lock.
//   ByteRange  an OFD byte-range lock on the single byte 0x7FFFFFFF: read lock for shared
//              use, write lock for exclusive use. Used on NFS and SMB/CIFS, where the kernel
//              turns flock into a lock over the whole file and every shared opener would then
//              block every other client's record locks.
// ShareScheme::Auto picks ByteRange on a network file system and Flock elsewhere; tests force
// either one. Programs sharing a folder must agree on the scheme, which Auto guarantees as
// long as they all see the folder as the same kind of file system.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sys/env.hpp"

namespace sys {

enum class ShareScheme { Auto, Flock, ByteRange };

// The byte that carries the share lock under ShareScheme::ByteRange.
inline constexpr std::uint64_t kShareLockByte = 0x7FFFFFFF;

class PosixEnv : public Env {
 public:
  explicit PosixEnv(ShareScheme scheme = ShareScheme::Auto) : scheme_(scheme) {}

  base::Result<std::unique_ptr<File>> open(const std::string& path, Access access,
                                           Creation creation = Creation::OpenExisting) override;
  base::Status rename(const std::string& from, const std::string& to) override;
  base::Status remove(const std::string& path) override;
  bool exists(const std::string& path) override;
  base::Status makeDir(const std::string& path) override;  // ok when the folder is already there
  base::Result<std::vector<DirEntry>> list(const std::string& dir) override;  // sorted by name
  bool isNetworkFileSystem(const std::string& path) override;

 private:
  ShareScheme scheme_;
};

}  // namespace sys
