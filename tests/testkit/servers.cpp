// tests/testkit/servers.cpp — the server processes and the reading of the mails kept.
#include "testkit/servers.hpp"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testkit {
namespace {

namespace fs = std::filesystem;

// Debian's interpreter, which has the server packages (not whatever python3 is first on
// the PATH).
constexpr const char* kPython = "/usr/bin/python3";

}  // namespace

ServerProcess::ServerProcess(const std::string& script, const std::vector<std::string>& args) {
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
  const std::string path = (sourceDir() / "tests" / "testkit" / script).string();
  std::vector<std::string> argv{kPython, path};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(out[1], 1);
    ::close(out[0]);
    ::close(out[1]);
    ::execv(kPython, cargv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  std::string line;
  char ch;
  while (::read(out[0], &ch, 1) == 1 && ch != '\n') line += ch;
  ::close(out[0]);
  port_ = std::atoi(line.c_str());
  if (pid_ < 0 || port_ <= 0) {
    stop();
    throw std::runtime_error("the test server " + script + " did not start (is its Debian package installed?)");
  }
}

ServerProcess::~ServerProcess() { stop(); }

void ServerProcess::stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
}

FtpServer::FtpServer(const std::string& user, const std::string& password)
    : process_("ftp_server.py", {dir_.path().string(), user, password}) {}

SmtpServer::SmtpServer(const std::string& user, const std::string& password)
    : process_("smtp_server.py", {dir_.path().string(), user, password}) {}

std::vector<Mail> SmtpServer::messages() const {
  std::vector<int> numbers;
  for (const auto& e : fs::directory_iterator(dir_.path())) {
    const std::string name = e.path().filename().string();
    if (!name.empty() && std::all_of(name.begin(), name.end(), ::isdigit)) numbers.push_back(std::stoi(name));
  }
  std::sort(numbers.begin(), numbers.end());
  std::vector<Mail> out;
  for (int n : numbers) {
    const fs::path box = dir_.path() / std::to_string(n);
    Mail m;
    std::istringstream envelope(readFile(box / "envelope.txt"));
    for (std::string line; std::getline(envelope, line);) {
      if (line.starts_with("from ")) m.from = line.substr(5);
      if (line.starts_with("to ")) m.to.push_back(line.substr(3));
      if (line.starts_with("login ")) m.login = line.substr(6);
    }
    m.subject = readFile(box / "subject.txt");
    m.body = readFile(box / "body.txt");
    m.raw = readFile(box / "message.eml");
    for (const auto& a : fs::directory_iterator(box / "attachments"))
      m.attachments[a.path().filename().string()] = readFile(a.path());
    out.push_back(std::move(m));
  }
  return out;
}

}  // namespace testkit
