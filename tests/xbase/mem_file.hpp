// tests/xbase/mem_file.hpp — a sys::File held in memory, for index tests that need no
// folder: locks always succeed and are counted, so tests can see what was locked.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sys/env.hpp"

namespace xbase::test {

struct MemData {
  std::vector<std::byte> bytes;
  int locks = 0, unlocks = 0, writes = 0;
};

class MemFile final : public sys::File {
 public:
  explicit MemFile(std::shared_ptr<MemData> d, std::string path = "mem.ntx") : d_(std::move(d)), path_(std::move(path)) {}
  static std::unique_ptr<MemFile> of(const std::string& bytes, std::shared_ptr<MemData>* keep = nullptr) {
    auto d = std::make_shared<MemData>();
    for (char c : bytes) d->bytes.push_back(static_cast<std::byte>(c));
    if (keep != nullptr) *keep = d;
    return std::make_unique<MemFile>(d);
  }
  const std::string& path() const override { return path_; }
  base::Result<std::size_t> readAt(std::uint64_t off, std::span<std::byte> out) override {
    if (off >= d_->bytes.size()) return std::size_t{0};
    const std::size_t n = std::min<std::size_t>(out.size(), d_->bytes.size() - off);
    std::copy_n(d_->bytes.begin() + static_cast<std::ptrdiff_t>(off), n, out.begin());
    return n;
  }
  base::Status writeAt(std::uint64_t off, std::span<const std::byte> data) override {
    if (d_->bytes.size() < off + data.size()) d_->bytes.resize(off + data.size());
    std::copy(data.begin(), data.end(), d_->bytes.begin() + static_cast<std::ptrdiff_t>(off));
    ++d_->writes;
    return base::Status::ok();
  }
  base::Result<std::uint64_t> size() override { return std::uint64_t{d_->bytes.size()}; }
  base::Status truncate(std::uint64_t s) override {
    d_->bytes.resize(s);
    return base::Status::ok();
  }
  base::Status sync() override { return base::Status::ok(); }
  base::Status lockRange(std::uint64_t, std::uint64_t, sys::LockKind, sys::Wait) override {
    ++d_->locks;
    return base::Status::ok();
  }
  base::Status unlockRange(std::uint64_t, std::uint64_t) override {
    ++d_->unlocks;
    return base::Status::ok();
  }
  base::Status lockWhole(sys::LockKind, sys::Wait) override { return base::Status::ok(); }
  base::Status unlockWhole() override { return base::Status::ok(); }

 private:
  std::shared_ptr<MemData> d_;
  std::string path_;
};

}  // namespace xbase::test

namespace xbase::test {

// An Env whose files live in memory; only open is needed by the index code.
class MemEnv final : public sys::Env {
 public:
  std::map<std::string, std::shared_ptr<MemData>> files;

  base::Result<std::unique_ptr<sys::File>> open(const std::string& path, sys::Access,
                                                sys::Creation creation) override {
    auto it = files.find(path);
    if (it == files.end()) {
      if (creation == sys::Creation::OpenExisting) return base::Status(base::Errc::NotFound, path);
      it = files.emplace(path, std::make_shared<MemData>()).first;
    } else if (creation == sys::Creation::CreateOrTruncate) {
      it->second->bytes.clear();
    }
    return std::unique_ptr<sys::File>(std::make_unique<MemFile>(it->second, path));
  }
  base::Status rename(const std::string& from, const std::string& to) override {
    files[to] = files.at(from);
    files.erase(from);
    return base::Status::ok();
  }
  base::Status remove(const std::string& path) override {
    files.erase(path);
    return base::Status::ok();
  }
  bool exists(const std::string& path) override { return files.count(path) != 0; }
  base::Status makeDir(const std::string&) override { return base::Status::ok(); }
  base::Result<std::vector<sys::DirEntry>> list(const std::string&) override { return std::vector<sys::DirEntry>{}; }
  bool isNetworkFileSystem(const std::string&) override { return false; }
};

}  // namespace xbase::test
