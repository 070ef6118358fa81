// bench/startup_bench.cpp — the station program's start-up as a person meets it: the time
// from starting the process to the login box, and from the typed password to the drawn
// main menu (the rebuild of the operators' password index included), on the demo
// installation at scale 1 (zelmoran-tool mkdemo). Reference figure: under 100 ms each.
//
// Each iteration is one real run on the scripted console. Its key script tells the
// benchmark through named pipes when the login box waits for its first key and when the
// main menu waits for its first key; the run then leaves through "KONIEC PRACY".
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The demo installation, built once per process in a temporary folder.
const fs::path& installation() {
  static const fs::path folder = [] {
    char name[] = "/tmp/zel_startup_bench_XXXXXX";
    if (::mkdtemp(name) == nullptr) throw std::runtime_error("no temporary folder");
    const fs::path target = fs::path(name) / "inst";
    const std::string command = std::string(ZEL_TOOL) + " mkdemo " + target.string() + " --scale 1 >/dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("mkdemo failed: " + command);
    ::mkfifo((fs::path(name) / "login").c_str(), 0600);
    ::mkfifo((fs::path(name) / "menu").c_str(), 0600);
    std::ofstream(fs::path(name) / "run.keys") << "expect ******\nnotify " << (fs::path(name) / "login").string() << "\n"
                                               << "type ADMIN1\nkey Enter\nexpect KONIEC PRACY\n"
                                               << "notify " << (fs::path(name) / "menu").string() << "\n"
                                               << "key Esc\nkey Enter\n";
    return target;
  }();
  return folder;
}

// Waits for the run to write to the pipe; false after a minute without a word.
bool heard(const fs::path& pipe) {
  const int fd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  pollfd pfd{fd, POLLIN, 0};
  const bool ready = ::poll(&pfd, 1, 60'000) == 1;
  char buf[16];
  const bool got = ready && ::read(fd, buf, sizeof buf) > 0;
  ::close(fd);
  return got;
}

pid_t startRun(const fs::path& folder, const fs::path& keys) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    ::setenv("ZELMORAN_SCRIPT", keys.c_str(), 1);
    ::execl(ZEL_PROGRAM, "zelmoran", "01", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

void BM_Station_StartToLoginToMenu(benchmark::State& state) {
  const fs::path& folder = installation();
  const fs::path work = folder.parent_path();
  double toLogin = 0, toMenu = 0;
  for (auto _ : state) {
    const auto started = Clock::now();
    const pid_t pid = startRun(folder, work / "run.keys");
    if (!heard(work / "login")) state.SkipWithError("the login box never came");
    const auto loginBox = Clock::now();
    if (!heard(work / "menu")) state.SkipWithError("the main menu never came");
    const auto menu = Clock::now();
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 1) state.SkipWithError("the run did not end as operator 1");
    const double a = std::chrono::duration<double>(loginBox - started).count();
    const double b = std::chrono::duration<double>(menu - loginBox).count();
    toLogin += a;
    toMenu += b;
    state.SetIterationTime(a + b);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["start_to_login_ms"] = toLogin / n * 1000.0;
  state.counters["login_to_menu_ms"] = toMenu / n * 1000.0;
}
BENCHMARK(BM_Station_StartToLoginToMenu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
