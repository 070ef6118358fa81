// src/sys/command.cpp — fork, a shell in the folder, and a wait with the keyboard signals
// left to the child.
#include "sys/command.hpp"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sys {

base::Result<int> runCommand(const std::string& line, const std::string& folder) {
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
    ::execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  base::Result<int> result = base::Status(base::Errc::Io, "cannot start the shell: " + std::string(std::strerror(errno)));
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

}  // namespace sys
