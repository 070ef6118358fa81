// src/sys/command.cpp — fork, a shell or a program in the folder, and a wait with the
// keyboard signals left to the child.
#include "sys/command.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

namespace sys {
namespace {

// Forks; the child restores the keyboard signals, enters `folder` and calls `exec`, which
// does not return on success. The parent waits (C2, C3).
base::Result<int> runChild(const std::string& folder, const std::function<void()>& exec) {
  struct sigaction ignore{}, oldInt{}, oldQuit{};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGINT, &ignore, &oldInt);
  ::sigaction(SIGQUIT, &ignore, &oldQuit);
  const pid_t pid = ::fork();
  if (pid == 0) {
    struct sigaction dfl{};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    ::sigaction(SIGINT, &dfl, nullptr);
    ::sigaction(SIGQUIT, &dfl, nullptr);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(127);
    exec();
    ::_exit(127);
  }
  base::Result<int> result = base::Status(base::Errc::Io, "cannot start the command: " + std::string(std::strerror(errno)));
  if (pid > 0) {
    int status = 0;
    pid_t done;
    while ((done = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (done == pid)
      result = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    else
      result = base::Status(base::Errc::Io, "lost the command: " + std::string(std::strerror(errno)));
  }
  ::sigaction(SIGINT, &oldInt, nullptr);
  ::sigaction(SIGQUIT, &oldQuit, nullptr);
  return result;
}

}  // namespace

base::Result<int> runCommand(const std::string& line, const std::string& folder) {
  return runChild(folder, [&] { ::execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr)); });
}

base::Result<int> runProgram(const std::vector<std::string>& argv, const std::string& folder, Output output) {
  if (argv.empty()) return base::Status(base::Errc::Invalid, "no program to run");
  // The argument array is built before the fork: the child only calls async-signal-safe
  // functions.
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  return runChild(folder, [&] {
    if (output == Output::Discard) {
      const int null = ::open("/dev/null", O_WRONLY);
      if (null >= 0) ::dup2(null, 1);
    }
    ::execv(args[0], args.data());
  });
}

std::string executableFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}

}  // namespace sys
