// The terminal device on a pseudo-terminal: raw mode and its undoing on every way out, key
// input with the Esc pause, and what is written.
#include "con/terminal.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "con/key_codes.hpp"

namespace {

namespace key = con::key;

struct Pty {
  int master = -1, slave = -1;
  Pty() {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) return;
    ::grantpt(master);
    ::unlockpt(master);
    slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    winsize ws{};
    ws.ws_row = 25;
    ws.ws_col = 80;
    ::ioctl(slave, TIOCSWINSZ, &ws);
  }
  ~Pty() {
    if (slave >= 0) ::close(slave);
    if (master >= 0) ::close(master);
  }
  bool ok() const { return slave >= 0; }
  void type(std::string_view bytes) const { ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }
  std::string output() const {  // everything written to the terminal so far
    std::string out;
    char buf[4096];
    pollfd p{master, POLLIN, 0};
    while (::poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
      const ssize_t n = ::read(master, buf, sizeof buf);
      if (n <= 0) break;
      out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
  }
  termios settings() const {
    termios t{};
    ::tcgetattr(slave, &t);
    return t;
  }
  con::TerminalOptions options() const { return {false, true, slave, slave}; }
};

bool sameSettings(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag && a.c_cflag == b.c_cflag;
}

TEST(Terminal, RawWhileOpenAndRestoredWhenClosed) {
  Pty pty;
  if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminals here";
  const termios before = pty.settings();
  {
    auto t = con::Terminal::open(pty.options());
    ASSERT_TRUE(t.has_value());
    const termios raw = pty.settings();
    EXPECT_EQ(raw.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(raw.c_iflag & (ICRNL | IXON), 0u);
    EXPECT_FALSE(con::Terminal::open(pty.options()).has_value());  // one at a time
    EXPECT_NE(pty.output().find("\x1B[?1049h"), std::string::npos);
  }
  EXPECT_TRUE(sameSettings(pty.settings(), before));
  EXPECT_NE(pty.output().find("\x1B[?1049l"), std::string::npos);
}

TEST(Terminal, RefusesWhatIsNotATerminal) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  auto t = con::Terminal::open({false, true, fds[0], fds[1]});
  EXPECT_FALSE(t.has_value());
  ::close(fds[0]);
  ::close(fds[1]);
}

TEST(Terminal, DecodesKeysAndTakesALoneEscAfterThePause) {
  Pty pty;
  if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminals here";
  auto t = con::Terminal::open(pty.options());
  ASSERT_TRUE(t.has_value());
  con::Terminal& term = **t;
  pty.type("\x1B[1;5D\x1Bk\xC5\xBC");
  EXPECT_EQ(term.readKey(con::Millis(1000))->code, key::kCtrlLeft);
  EXPECT_EQ(term.readKey(con::Millis(1000))->code, key::kAltK);
  EXPECT_EQ(term.readKey(con::Millis(1000))->code, 190);  // ż
  pty.type("\x1B");
  EXPECT_EQ(term.readKey(std::nullopt)->code, key::kEsc);
  EXPECT_FALSE(term.readKey(con::Millis(0)).has_value());
}

TEST(Terminal, SendsTheScreenAsUtf8AndThenOnlyChanges) {
  Pty pty;
  if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminals here";
  auto t = con::Terminal::open(pty.options());
  ASSERT_TRUE(t.has_value());
  con::Screen s;
  s.write(0, 0, "\xC9\xCD\xBB \xBD\xA5", 0x1F);  // ╔═╗ Żą
  (*t)->present(s.cells(), {});
  EXPECT_NE(pty.output().find("\x1B[97;44m╔═╗ Żą"), std::string::npos);
  const std::uint64_t before = (*t)->bytesSent();
  s.put(10, 10, 'x', 0x1F);
  (*t)->present(s.cells(), {});
  EXPECT_EQ(pty.output(), "\x1B[11;11H\x1B[97;44mx\x1B[1;1H");
  EXPECT_EQ((*t)->bytesSent() - before, 23u);
}

TEST(Terminal, IsRestoredWhenTheProcessIsKilledOrTerminates) {
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGABRT}) {
    SCOPED_TRACE(sig);
    Pty pty;
  if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminals here";
    if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminals here";
    const termios before = pty.settings();
    int ready[2], go[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto t = con::Terminal::open(pty.options());
      char c = t.has_value() ? 'y' : 'n';
      [[maybe_unused]] ssize_t n = ::write(ready[1], &c, 1);
      if (sig == SIGABRT && ::read(go[0], &c, 1) == 1) std::terminate();  // as an uncaught exception does
      while (true) ::pause();
    }
    struct Reaper {  // a failed assertion must not leave the child behind
      pid_t pid;
      bool reaped = false;
      ~Reaper() {
        if (!reaped) ::kill(pid, SIGKILL), ::waitpid(pid, nullptr, 0);
      }
    } reaper{child};
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    EXPECT_FALSE(sameSettings(pty.settings(), before));
    if (sig == SIGABRT) {
      ASSERT_EQ(::write(go[1], "x", 1), 1);
    } else {
      ::kill(child, sig);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    reaper.reaped = true;
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), sig);
    EXPECT_TRUE(sameSettings(pty.settings(), before));
    EXPECT_NE(pty.output().find("\x1B[?1049l"), std::string::npos);
    for (int fd : {ready[0], ready[1], go[0], go[1]}) ::close(fd);
  }
}

}  // namespace
