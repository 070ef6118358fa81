// tests/multiproc/station_test.cpp — the station program as real processes on one
// installation, each on the scripted console: one run per station, a second run refused
// while the first holds the station, two stations side by side, the station files removed
// at the end. The runs meet the test at named pipes (the key script's notify and await
// steps), so nothing here waits on a timer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_fixture.hpp"
#include "testkit/temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

class StationRuns : public ::testing::Test {
 protected:
  void SetUp() override { apptest::makeInstallation(dir.path().string()); }
  void TearDown() override {
    for (pid_t pid : running_) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
  }

  std::string path(const std::string& name) const { return (dir / name).string(); }

  // A named pipe in the test folder.
  std::string pipe(const std::string& name) {
    const std::string p = path(name);
    EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
    return p;
  }

  // Starts `zelmoran STATION` in the installation with `script` as its keyboard; its last
  // screen goes to NAME.screen.
  pid_t start(const std::string& name, const std::string& station, const std::string& script) {
    std::ofstream(path(name + ".keys")) << script;
    const std::string keys = path(name + ".keys"), screen = path(name + ".screen");
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (::chdir(dir.path().c_str()) != 0) ::_exit(126);
      ::setenv("ZELMORAN_SCRIPT", keys.c_str(), 1);
      ::setenv("ZELMORAN_SCREEN", screen.c_str(), 1);
      ::execl(testkit::programPath().c_str(), "zelmoran", station.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    running_.push_back(pid);
    return pid;
  }

  int exitCode(pid_t pid) {
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    std::erase(running_, pid);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Waits (bounded) for a run to write its line to the pipe `p`; false when none came.
  static bool heard(const std::string& p) {
    const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    pollfd pfd{fd, POLLIN, 0};
    const bool ready = ::poll(&pfd, 1, 60'000) == 1 && (pfd.revents & POLLIN) != 0;
    char buf[16];
    const bool got = ready && ::read(fd, buf, sizeof buf) > 0;
    ::close(fd);
    return got;
  }

  // Lets a run that awaits the pipe `p` go on.
  static void release(const std::string& p) { std::ofstream(p) << "go\n"; }

  // A run that logs in with `password` once the login box is there, tells `ready`, stands in the main menu until `go`,
  // then leaves through "KONIEC PRACY".
  static std::string workingRun(const char* password, const std::string& ready, const std::string& go) {
    return std::string("expect ******\ntype ") + password + "\nkey Enter\nexpect KONIEC PRACY\nnotify " + ready +
           "\nawait " + go + "\nkey Esc\nkey Enter\n";
  }

  std::string read(const std::string& name) const { return testkit::readFile(dir / name); }

  testkit::TempDir dir;
  std::vector<pid_t> running_;
};

TEST_F(StationRuns, ASecondRunOnABusyStationIsRefusedWithTheFirstOperator) {
  const std::string ready = pipe("a.ready"), go = pipe("a.go");
  const pid_t first = start("a", "01", workingRun("ADMIN1", ready, go));
  ASSERT_TRUE(heard(ready));
  const std::string holder = read("DANE#01/FLAGA");
  ASSERT_EQ(holder.size(), 18u);  // "ADM dd.mm.yy hh:mm"
  EXPECT_EQ(holder.substr(0, 4), "ADM ");

  const pid_t second = start("b", "1", "expect ******\ntype OPER01\nkey Enter\nexpect zajety\nscreen " + path("b.refused") + "\nkey Enter\n");
  EXPECT_EQ(exitCode(second), 0);
  const std::string refused = read("b.refused");
  EXPECT_NE(refused.find("Katalog roboczy 01 zajety."), std::string::npos) << refused;
  EXPECT_NE(refused.find("Operator : " + holder), std::string::npos) << refused;
  EXPECT_EQ(read("DANE#01/FLAGA"), holder);  // the refused run leaves the holder's file alone

  release(go);
  EXPECT_EQ(exitCode(first), 1);  // ADM is operator 1
  EXPECT_FALSE(fs::exists(dir / "DANE#01/FLAGA"));
  EXPECT_FALSE(fs::exists(dir / "DANE#01/MENU.NTX"));
}

TEST_F(StationRuns, TwoStationsWorkAtOnceAndEachEndsWithItsOperatorNumber) {
  const std::string readyA = pipe("a.ready"), goA = pipe("a.go"), readyB = pipe("b.ready"), goB = pipe("b.go");
  const pid_t a = start("a", "01", workingRun("ADMIN1", readyA, goA));
  const pid_t b = start("b", "02", workingRun("OPER01", readyB, goB));
  ASSERT_TRUE(heard(readyA));
  ASSERT_TRUE(heard(readyB));
  EXPECT_EQ(read("DANE#01/FLAGA").substr(0, 4), "ADM ");
  EXPECT_EQ(read("DANE#02/FLAGA").substr(0, 4), "OPE ");
  release(goB);
  release(goA);
  EXPECT_EQ(exitCode(a), 1);
  EXPECT_EQ(exitCode(b), 2);
  for (const char* file : {"DANE#01/FLAGA", "DANE#01/MENU.NTX", "DANE#02/FLAGA", "DANE#02/MENU.NTX"}) {
    SCOPED_TRACE(file);
    EXPECT_FALSE(fs::exists(dir / file));
  }
}

TEST_F(StationRuns, AStationLeftByAKilledRunCanBeTakenAgain) {
  const std::string ready = pipe("a.ready"), go = pipe("a.go");
  const pid_t killed = start("a", "01", workingRun("ADMIN1", ready, go));
  ASSERT_TRUE(heard(ready));
  ::kill(killed, SIGKILL);
  exitCode(killed);
  ASSERT_TRUE(fs::exists(dir / "DANE#01/FLAGA"));  // left behind, held by nobody

  const std::string readyB = pipe("b.ready"), goB = pipe("b.go");
  const pid_t next = start("b", "01", workingRun("OPER01", readyB, goB));
  ASSERT_TRUE(heard(readyB));
  EXPECT_EQ(read("DANE#01/FLAGA").substr(0, 4), "OPE ");
  release(goB);
  EXPECT_EQ(exitCode(next), 2);
}

}  // namespace
