// src/con/terminal.cpp — raw mode, output, key input, resizing and restoring of the real
// terminal.
#include "con/terminal.hpp"

#include "base/fault.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <exception>
#include <string>

namespace con {

namespace {

constexpr char kEnter[] = "\x1B[?1049h\x1B[?7l\x1B[0m\x1B[2J";
constexpr char kLeaveXterm[] = "\x1B[0m\x1B[0 q\x1B[?25h\x1B[?7h\x1B[?1049l";
constexpr char kLeaveLinux[] = "\x1B[0m\x1B[?0c\x1B[?25h\x1B[?7h\x1B[?1049l";

// What the signal and terminate handlers need to put the terminal back. Handlers can reach
// only static state, so this is the one piece of it in the console; one Terminal may be
// open at a time.
struct RestoreState {
  volatile sig_atomic_t active = 0;
  int in = STDIN_FILENO, out = STDOUT_FILENO;
  termios saved{};
  const char* leave = kLeaveXterm;
  std::size_t leaveSize = 0;
  int wakeRead = -1, wakeWrite = -1;
  struct sigaction oldInt{}, oldTerm{}, oldHup{}, oldWinch{};
  std::terminate_handler oldTerminate = nullptr;
};
RestoreState g;

// Async-signal-safe: write and tcsetattr only.
void restoreTerminal() noexcept {
  if (!g.active) return;
  g.active = 0;
  std::size_t done = 0;
  while (done < g.leaveSize) {
    const ssize_t n = ::write(g.out, g.leave + done, g.leaveSize - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::tcsetattr(g.in, TCSADRAIN, &g.saved);
}

void onFatalSignal(int sig) {
  restoreTerminal();
  ::raise(sig);  // SA_RESETHAND: the default action follows once this handler returns
}

void onResize(int) {
  const int saved = errno;
  const char c = 'w';
  [[maybe_unused]] const ssize_t n = ::write(g.wakeWrite, &c, 1);
  errno = saved;
}

void onTerminate() {
  restoreTerminal();
  if (g.oldTerminate) g.oldTerminate();
  std::abort();
}

void install(int sig, void (*handler)(int), int flags, struct sigaction* old) {
  struct sigaction sa{};
  sa.sa_handler = handler;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = flags;
  ::sigaction(sig, &sa, old);
}

termios rawOf(termios t) {
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
  t.c_cflag |= CS8;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  return t;
}

void sleepFor(Millis d) {
  timespec ts{static_cast<time_t>(d.count() / 1000), static_cast<long>((d.count() % 1000) * 1000000)};
  while (::nanosleep(&ts, &ts) < 0 && errno == EINTR) {
  }
}

}  // namespace

base::Result<std::unique_ptr<Terminal>> Terminal::open(TerminalOptions options) {
  if (!::isatty(options.inFd) || !::isatty(options.outFd)) return base::Status(base::Errc::Invalid, "not a terminal");
  if (g.active) return base::Status(base::Errc::Invalid, "the terminal is already open");
  termios saved{};
  if (::tcgetattr(options.inFd, &saved) < 0) return base::Status(base::Errc::Io, "cannot read the terminal settings");
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) < 0) return base::Status(base::Errc::Io, "cannot create a pipe");
  g.saved = saved;
  g.in = options.inFd;
  g.out = options.outFd;
  g.leave = options.linuxConsole ? kLeaveLinux : kLeaveXterm;
  g.leaveSize = std::char_traits<char>::length(g.leave);
  g.wakeRead = pipeFds[0];
  g.wakeWrite = pipeFds[1];
  install(SIGINT, onFatalSignal, SA_RESETHAND, &g.oldInt);
  install(SIGTERM, onFatalSignal, SA_RESETHAND, &g.oldTerm);
  install(SIGHUP, onFatalSignal, SA_RESETHAND, &g.oldHup);
  install(SIGWINCH, onResize, SA_RESTART, &g.oldWinch);
  g.oldTerminate = std::set_terminate(onTerminate);
  const termios raw = rawOf(saved);
  ::tcsetattr(options.inFd, TCSADRAIN, &raw);
  g.active = 1;
  std::unique_ptr<Terminal> t(new Terminal(options));
  t->send(kEnter);
  return t;
}

Terminal::Terminal(TerminalOptions options)
    : options_(options), renderer_({options.linuxConsole}), openedAt_(std::chrono::steady_clock::now()) {}

Terminal::~Terminal() {
  restoreTerminal();
  ::sigaction(SIGINT, &g.oldInt, nullptr);
  ::sigaction(SIGTERM, &g.oldTerm, nullptr);
  ::sigaction(SIGHUP, &g.oldHup, nullptr);
  ::sigaction(SIGWINCH, &g.oldWinch, nullptr);
  std::set_terminate(g.oldTerminate);
  ::close(g.wakeRead);
  ::close(g.wakeWrite);
  g.wakeRead = g.wakeWrite = -1;
}

void Terminal::send(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(options_.outFd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return;  // the terminal has gone; nothing left to show anything on
    done += static_cast<std::size_t>(n);
  }
  bytesSent_ += bytes.size();
}

bool Terminal::largeEnough() const {
  winsize ws{};
  if (::ioctl(options_.outFd, TIOCGWINSZ, &ws) < 0 || ws.ws_col == 0) return true;  // size unknown: assume it fits
  return ws.ws_col >= kCols && ws.ws_row >= kRows;
}

void Terminal::waitUntilLargeEnough() {
  while (!largeEnough()) {
    winsize ws{};
    ::ioctl(options_.outFd, TIOCGWINSZ, &ws);
    std::string msg = "\x1B[0m\x1B[2J\x1B[?25l\x1B[1;1H";
    msg += "Okno terminala jest za małe: " + std::to_string(ws.ws_col) + " x " + std::to_string(ws.ws_row) + ".";
    msg += "\x1B[2;1HPowiększ je do co najmniej 80 x 25 znaków.";
    send(msg);
    pollfd p{g.wakeRead, POLLIN, 0};
    while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
    }
    char drain[64];
    while (::read(g.wakeRead, drain, sizeof drain) > 0) {
    }
  }
  repaint();
}

// While lent, the terminal is as the program found it; the signal handlers find nothing
// to put back (restoreTerminal clears g.active).
void Terminal::lend() { restoreTerminal(); }

void Terminal::takeBack() {
  if (g.active) return;
  const termios raw = rawOf(g.saved);
  ::tcsetattr(options_.inFd, TCSADRAIN, &raw);
  g.active = 1;
  send(kEnter);
  repaint();
}

void Terminal::repaint() {
  renderer_.invalidate();
  send("\x1B[0m\x1B[2J");
  if (presented_) send(renderer_.render(grid_, cursor_));
}

void Terminal::handleResize() {
  char drain[64];
  while (::read(g.wakeRead, drain, sizeof drain) > 0) {
  }
  if (!largeEnough()) return waitUntilLargeEnough();
  repaint();
}

void Terminal::present(const Screen::Grid& grid, const Cursor& cursor) {
  grid_ = grid;
  cursor_ = cursor;
  presented_ = true;
  if (!largeEnough()) return waitUntilLargeEnough();
  send(renderer_.render(grid, cursor));
}

Terminal::Input Terminal::waitForInput(std::optional<Millis> timeout) {
  pollfd fds[2] = {{options_.inFd, POLLIN, 0}, {g.wakeRead, POLLIN, 0}};
  const int ms = timeout ? static_cast<int>(std::min<long long>(timeout->count(), 1 << 30)) : -1;
  const int n = ::poll(fds, 2, ms);
  if (n < 0) return errno == EINTR ? Input::Resized : Input::Timeout;
  if (n == 0) return Input::Timeout;
  if (fds[1].revents & POLLIN) return Input::Resized;
  char buf[256];
  const ssize_t got = ::read(options_.inFd, buf, sizeof buf);
  if (got < 0) return Input::Timeout;
  if (got == 0) throw base::IoFault("terminal", "the terminal has closed its input");
  decoder_.feed(std::string_view(buf, static_cast<std::size_t>(got)));
  return Input::Bytes;
}

std::optional<KeyEvent> Terminal::readKey(std::optional<Millis> timeout) {
  std::optional<Millis> deadline;
  if (timeout) deadline = elapsed() + *timeout;
  while (true) {
    if (auto k = decoder_.next()) return k;
    if (!largeEnough()) waitUntilLargeEnough();
    std::optional<Millis> wait;
    if (deadline) wait = std::max(Millis(0), *deadline - elapsed());
    if (decoder_.pending()) wait = kEscapePause;
    switch (waitForInput(wait)) {
      case Input::Bytes: break;
      case Input::Resized: handleResize(); break;
      case Input::Timeout:
        if (decoder_.pending()) {
          decoder_.flush();
        } else if (deadline) {
          return std::nullopt;
        }
        break;
    }
  }
}

Millis Terminal::elapsed() const {
  return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - openedAt_);
}

void Terminal::tone(double hertz, double ticks) {
  if (options_.bell && hertz > 0) send("\a");
  if (ticks > 0) sleepFor(Millis(static_cast<long long>(std::lround(ticks * 1000.0 / 18.2))));
}

}  // namespace con
