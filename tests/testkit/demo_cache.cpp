// tests/testkit/demo_cache.cpp — the demo installations cached in the build folder.
#include "testkit/demo_cache.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "testkit/build_paths.hpp"
#include "testkit/temp_dir.hpp"

namespace testkit {
namespace {

namespace fs = std::filesystem;

// What the cached demo was made from: the tool's and the newest data file's times.
std::string sourceStamp() {
  fs::file_time_type newest = fs::last_write_time(toolPath());
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(sourceDir() / "data"))
    if (e.is_regular_file()) newest = std::max(newest, e.last_write_time());
  return std::to_string(newest.time_since_epoch().count());
}

std::string readStamp(const fs::path& file) {
  std::ifstream in(file);
  std::string s;
  std::getline(in, s);
  return s;
}

class FileLock {
 public:
  explicit FileLock(const fs::path& file) : fd_(::open(file.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644)) {
    if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0) throw std::runtime_error("cannot lock " + file.string());
  }
  ~FileLock() { ::close(fd_); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_;
};

void makeDemo(const std::string& role, const std::string& today, const fs::path& target) {
  const fs::path building = target.string() + ".new";
  fs::remove_all(building);
  const std::string cmd = "ZELMORAN_TODAY=" + today + " " + toolPath() + " mkdemo '" + building.string() + "' --role " +
                          role + " --data '" + (sourceDir() / "data").string() + "' >'" + building.string() +
                          ".log' 2>&1";
  const int raw = std::system(cmd.c_str());
  if (!WIFEXITED(raw) || WEXITSTATUS(raw) != 0)
    throw std::runtime_error("mkdemo failed: " + readFile(building.string() + ".log"));
  fs::remove_all(target);
  fs::rename(building, target);
}

// The cached demo's folder, made first when missing or older than its sources.
fs::path cachedDemo(const std::string& role, const std::string& today) {
  const fs::path home = binaryDir() / "test-demos";
  fs::create_directories(home);
  const fs::path target = home / (role + "-" + today);
  const fs::path stampFile = target.string() + ".stamp";
  FileLock lock(target.string() + ".lock");
  const std::string stamp = sourceStamp();
  if (!fs::exists(target) || readStamp(stampFile) != stamp) {
    fs::remove(stampFile);
    makeDemo(role, today, target);
    std::ofstream(stampFile) << stamp << '\n';
  }
  return target;
}

}  // namespace

void copyDemo(const std::string& role, const std::string& today, const fs::path& to) {
  const fs::path from = cachedDemo(role, today);
  fs::create_directories(to);
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

}  // namespace testkit
