// tests/print/cups_server.cpp — the test's own CUPS scheduler.
#include "print/cups_server.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace printtest {
namespace {

namespace fs = std::filesystem;

int freePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  int port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
    port = ntohs(a.sin_port);
  ::close(s);
  return port;
}

bool accepts(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

CupsServer::CupsServer(const std::vector<Queue>& queues) {
  const fs::path root = dir_.path();
  for (const char* d : {"conf", "spool", "spool/tmp", "cache", "state", "log", "out", "bin/backend"})
    fs::create_directories(root / d);
  // The scheduler runs its jobs as an unprivileged user when started by root.
  const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                    fs::perms::others_exec;
  fs::permissions(root, open);
  for (const char* d : {"spool", "spool/tmp", "out"}) fs::permissions(root / d, fs::perms::all);
  // The scheduler's own programs, and a backend that appends each job to the file its
  // device names ("zeltest:/path"): the scheduler's file devices print nothing on a raw queue.
  for (const char* d : {"daemon", "filter"}) fs::create_directory_symlink(fs::path("/usr/lib/cups") / d, root / "bin" / d);
  write(root / "bin/backend/zeltest",
        "#!/bin/sh\n"
        "[ $# -eq 0 ] && { echo 'direct zeltest \"Unknown\" \"test device\"'; exit 0; }\n"
        "out=${DEVICE_URI#zeltest:}\n"
        "if [ -n \"$6\" ]; then cat \"$6\" >> \"$out\"; else cat >> \"$out\"; fi\n");
  fs::permissions(root / "bin/backend/zeltest", open);
  port_ = freePort();
  write(root / "conf/cups-files.conf",
        "ServerRoot " + (root / "conf").string() + "\nRequestRoot " + (root / "spool").string() +
            "\nTempDir " + (root / "spool/tmp").string() + "\nCacheDir " + (root / "cache").string() +
            "\nStateDir " + (root / "state").string() + "\nErrorLog " + (root / "log/error_log").string() +
            "\nAccessLog " + (root / "log/access_log").string() + "\nPageLog " + (root / "log/page_log").string() +
            "\nServerBin " + (root / "bin").string() + "\nSandboxing Relaxed\n");
  write(root / "conf/cupsd.conf",
        "Listen 127.0.0.1:" + std::to_string(port_) +
            "\nServerAlias *\nLogLevel warn\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
            "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  std::string printers;
  for (const Queue& q : queues) {
    const fs::path out = root / "out" / q.name;
    write(out, "");
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                             fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    printers += "<Printer " + q.name + ">\nState Idle\nAccepting " + (q.accepting ? "Yes" : "No") +
                "\nShared No\nDeviceURI zeltest:" + out.string() + "\n</Printer>\n";
  }
  write(root / "conf/printers.conf", printers);
  pid_ = ::fork();
  if (pid_ == 0) {
    const std::string conf = (root / "conf/cupsd.conf").string(), files = (root / "conf/cups-files.conf").string();
    ::execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  for (int i = 0; i < 200 && pid_ > 0; ++i) {  // up to 10 s for the scheduler to listen
    if (accepts(port_)) {
      running_ = true;
      break;
    }
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

CupsServer::~CupsServer() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

std::string CupsServer::device(const std::string& queue) const { return (dir_.path() / "out" / queue).string(); }

std::string CupsServer::received(const std::string& queue, std::size_t size) const {
  std::string got;
  for (int i = 0; i < 400; ++i) {  // the scheduler prints the job on its own time
    got = readAll(device(queue));
    if (got.size() >= size) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return got;
}

std::string CupsServer::log() const { return readAll(dir_.path() / "log/error_log"); }

}  // namespace printtest
