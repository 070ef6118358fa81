// src/sys/posix_env.cpp — PosixEnv and its File.
//
// Byte-range locks are open-file-description locks (F_OFD_SETLK / F_OFD_SETLKW), never the
// classic F_SETLK ones: classic locks belong to the process, so closing any descriptor of a
// file (a second work area on the same table, a helper that peeks at it) silently drops every
// lock the process holds on it, and two descriptors of one process never conflict. OFD locks
// belong to the open() that took them: two File objects exclude each other as two processes
// do, and they still conflict with classic locks that other programs take on the same bytes.
//
// A write lock needs a descriptor opened for writing, so on a read-only File every lock
// request becomes a read lock: read-only openers never exclude one another.
#include "sys/posix_env.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sys {

namespace {

using base::Errc;
using base::Status;

// statfs f_type values of the network file systems where flock covers the whole file as a
// byte-range lock.
constexpr long kNfsMagic = 0x6969;
constexpr long kSmbMagic = 0x517B;
constexpr long kCifsMagic = static_cast<long>(0xFF534D42);
constexpr long kSmb2Magic = static_cast<long>(0xFE534D42);

bool isNetworkMagic(long type) {
  return type == kNfsMagic || type == kSmbMagic || type == kCifsMagic || type == kSmb2Magic;
}

Status osError(int err, const std::string& what, const std::string& path) {
  const std::string msg = what + " " + path + ": " + std::strerror(err);
  switch (err) {
    case ENOENT:
    case ENOTDIR: return {Errc::NotFound, msg};
    case EEXIST: return {Errc::Exists, msg};
    case EAGAIN:
    case EACCES:
      return {what == "lock" ? Errc::Locked : Errc::Refused, msg};
    case EPERM:
    case EROFS: return {Errc::Refused, msg};
    default: return {Errc::Io, msg};
  }
}

class PosixFile final : public File {
 public:
  PosixFile(int fd, std::string path, Access access, bool byteShareLock)
      : fd_(fd), path_(std::move(path)), access_(access), byteShareLock_(byteShareLock) {}
  ~PosixFile() override { ::close(fd_); }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  const std::string& path() const override { return path_; }

  base::Result<std::size_t> readAt(std::uint64_t offset, std::span<std::byte> out) override {
    std::size_t done = 0;
    while (done < out.size()) {
      const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return osError(errno, "read", path_);
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

  Status writeAt(std::uint64_t offset, std::span<const std::byte> data) override {
    std::size_t done = 0;
    while (done < data.size()) {
      const ssize_t n = ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return osError(errno, "write", path_);
      }
      done += static_cast<std::size_t>(n);
    }
    return Status::ok();
  }

  base::Result<std::uint64_t> size() override {
    struct stat st{};
    if (::fstat(fd_, &st) != 0) return osError(errno, "stat", path_);
    return static_cast<std::uint64_t>(st.st_size);
  }

  Status truncate(std::uint64_t size) override {
    while (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
      if (errno != EINTR) return osError(errno, "truncate", path_);
    return Status::ok();
  }

  Status sync() override {
    while (::fsync(fd_) != 0)
      if (errno != EINTR) return osError(errno, "sync", path_);
    return Status::ok();
  }

  Status lockRange(std::uint64_t offset, std::uint64_t length, LockKind kind, Wait wait) override {
    const bool write = kind == LockKind::Exclusive && access_ == Access::ReadWrite;
    return setLock(offset, length, write ? F_WRLCK : F_RDLCK, wait);
  }

  Status unlockRange(std::uint64_t offset, std::uint64_t length) override {
    return setLock(offset, length, F_UNLCK, Wait::No);
  }

  Status lockWhole(LockKind kind, Wait wait) override {
    if (byteShareLock_) {
      // An exclusive share lock must exclude readers too, so a read-only File cannot
      // downgrade it the way it downgrades record locks.
      if (kind == LockKind::Exclusive && access_ == Access::ReadOnly)
        return {Errc::Invalid, "exclusive use needs the file open for writing: " + path_};
      return setLock(kShareLockByte, 1, kind == LockKind::Exclusive ? F_WRLCK : F_RDLCK, wait);
    }
    int op = kind == LockKind::Exclusive ? LOCK_EX : LOCK_SH;
    if (wait == Wait::No) op |= LOCK_NB;
    while (::flock(fd_, op) != 0) {
      if (errno == EINTR) continue;
      if (errno == EWOULDBLOCK) return {Errc::Locked, "in use elsewhere: " + path_};
      return osError(errno, "lock", path_);
    }
    return Status::ok();
  }

  Status unlockWhole() override {
    if (byteShareLock_) return setLock(kShareLockByte, 1, F_UNLCK, Wait::No);
    while (::flock(fd_, LOCK_UN) != 0)
      if (errno != EINTR) return osError(errno, "unlock", path_);
    return Status::ok();
  }

 private:
  Status setLock(std::uint64_t offset, std::uint64_t length, short type, Wait wait) {
    struct flock fl{};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(offset);
    fl.l_len = static_cast<off_t>(length);
    fl.l_pid = 0;  // required for OFD locks
    const int cmd = wait == Wait::Yes ? F_OFD_SETLKW : F_OFD_SETLK;
    while (::fcntl(fd_, cmd, &fl) != 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EACCES) return {Errc::Locked, "locked elsewhere: " + path_};
      return osError(errno, "lock", path_);
    }
    return Status::ok();
  }

  int fd_;
  std::string path_;
  Access access_;
  bool byteShareLock_;
};

int openFlags(Access access, Creation creation) {
  int flags = O_CLOEXEC | (access == Access::ReadWrite ? O_RDWR : O_RDONLY);
  switch (creation) {
    case Creation::OpenExisting: break;
    case Creation::CreateNew: flags |= O_CREAT | O_EXCL; break;
    case Creation::CreateOrTruncate: flags |= O_CREAT | O_TRUNC; break;
    case Creation::OpenOrCreate: flags |= O_CREAT; break;
  }
  return flags;
}

bool fdOnNetwork(int fd) {
  struct statfs fs{};
  return ::fstatfs(fd, &fs) == 0 && isNetworkMagic(static_cast<long>(fs.f_type));
}

}  // namespace

base::Result<std::unique_ptr<File>> PosixEnv::open(const std::string& path, Access access, Creation creation) {
  int fd;
  while ((fd = ::open(path.c_str(), openFlags(access, creation), 0666)) < 0)
    if (errno != EINTR) return osError(errno, "open", path);
  struct stat st{};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Status{Errc::Invalid, "a folder, not a file: " + path};
  }
  const bool byteShareLock =
      scheme_ == ShareScheme::ByteRange || (scheme_ == ShareScheme::Auto && fdOnNetwork(fd));
  return std::unique_ptr<File>(new PosixFile(fd, path, access, byteShareLock));
}

base::Status PosixEnv::rename(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return osError(errno, "rename", from + " -> " + to);
  return Status::ok();
}

base::Status PosixEnv::remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0) return osError(errno, "remove", path);
  return Status::ok();
}

bool PosixEnv::exists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0;
}

base::Status PosixEnv::makeDir(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return Status::ok();
  const int err = errno;
  struct stat st{};
  if (err == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Status::ok();
  return osError(err, "make folder", path);
}

base::Result<std::vector<DirEntry>> PosixEnv::list(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) return osError(errno, "list", dir);
  std::vector<DirEntry> out;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    DirEntry entry{name};
    struct stat st{};
    if (::fstatat(::dirfd(d), e->d_name, &st, 0) == 0) {
      entry.isDir = S_ISDIR(st.st_mode);
      entry.size = static_cast<std::uint64_t>(st.st_size);
      entry.modified = static_cast<std::int64_t>(st.st_mtime);
    }
    out.push_back(std::move(entry));
  }
  ::closedir(d);
  std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return out;
}

bool PosixEnv::isNetworkFileSystem(const std::string& path) {
  struct statfs fs{};
  return ::statfs(path.c_str(), &fs) == 0 && isNetworkMagic(static_cast<long>(fs.f_type));
}

}  // namespace sys
