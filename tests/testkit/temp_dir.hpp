// tests/testkit/temp_dir.hpp — a fresh folder for one test, removed with its contents after.
#pragma once

#include <filesystem>
#include <string>

#include "testkit/build_paths.hpp"

namespace testkit {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& p);

}  // namespace testkit
