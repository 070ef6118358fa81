// src/sys/env.hpp — every file, lock, folder and process access of the program goes through
// Env and File, a page or a record at a time. Production uses PosixEnv (posix_env.hpp);
// tests wrap it to fail the n-th write, sync or rename or to cut a write short.
// OS failures are reported as values; the layer that knows whether a failure is expected
// decides whether it becomes a Status or a fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/result.hpp"

namespace sys {

enum class Access { ReadOnly, ReadWrite };
// OpenOrCreate never truncates: a table being re-created is opened, locked exclusively and
// only then truncated, so a station that still has it open is not cut short under its feet.
enum class Creation { OpenExisting, CreateNew /* fails with Exists */, CreateOrTruncate, OpenOrCreate };
enum class LockKind { Shared, Exclusive };
enum class Wait { No, Yes };

class File {
 public:
  virtual ~File() = default;
  virtual const std::string& path() const = 0;

  // Reads up to out.size() bytes at `offset`; fewer only at the end of the file.
  virtual base::Result<std::size_t> readAt(std::uint64_t offset, std::span<std::byte> out) = 0;
  virtual base::Status writeAt(std::uint64_t offset, std::span<const std::byte> data) = 0;
  virtual base::Result<std::uint64_t> size() = 0;
  virtual base::Status truncate(std::uint64_t size) = 0;
  virtual base::Status sync() = 0;

  // Byte-range locks owned by this open file (open-file-description locks): two File
  // objects on one path exclude each other as two processes do, and closing one never
  // drops the other's locks. Wait::No fails at once with Errc::Locked when held elsewhere.
  virtual base::Status lockRange(std::uint64_t offset, std::uint64_t length, LockKind kind, Wait wait) = 0;
  virtual base::Status unlockRange(std::uint64_t offset, std::uint64_t length) = 0;

  // The whole-file share lock taken at open (flock): shared for shared use, exclusive for
  // exclusive use. Errc::Locked when another open file holds a conflicting one.
  virtual base::Status lockWhole(LockKind kind, Wait wait) = 0;
  virtual base::Status unlockWhole() = 0;
};

struct DirEntry {
  std::string name;
  bool isDir = false;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // seconds since the epoch
};

class Env {
 public:
  virtual ~Env() = default;
  virtual base::Result<std::unique_ptr<File>> open(const std::string& path, Access access,
                                                   Creation creation = Creation::OpenExisting) = 0;
  virtual base::Status rename(const std::string& from, const std::string& to) = 0;  // atomic, replaces
  virtual base::Status remove(const std::string& path) = 0;
  virtual bool exists(const std::string& path) = 0;
  virtual base::Status makeDir(const std::string& path) = 0;
  virtual base::Result<std::vector<DirEntry>> list(const std::string& dir) = 0;
  // True when the folder is on a network file system (NFS, SMB/CIFS), where whole-file
  // flock locks turn into byte-range locks.
  virtual bool isNetworkFileSystem(const std::string& path) = 0;
};

}  // namespace sys
