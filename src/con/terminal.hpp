// src/con/terminal.hpp — the real terminal as the console's device.
//
// Opening puts the terminal in raw mode (no echo, no line editing, no signals from keys, so
// Ctrl+C is the key code 3 like any Ctrl+letter, no flow control), switches to the
// alternate screen and turns auto-wrap off. The 80 x 25 screen is drawn at the top left of
// a larger window. A window smaller than 80 x 25 shows a request to enlarge it and waits
// until it is large enough; nothing typed meanwhile is lost.
// The terminal is put back as it was on every way out: the destructor (normal end, and
// exceptions that unwind), SIGINT, SIGTERM and SIGHUP (restored, then the signal's default
// action), and std::terminate.
// Keys: bytes are decoded by KeyDecoder; an ESC with nothing after it within kEscapePause
// is the Esc key. Tones ring the terminal bell (or nothing, by option) and last their time.
#pragma once

#include <memory>

#include "base/result.hpp"
#include "con/ansi_renderer.hpp"
#include "con/device.hpp"
#include "con/key_decoder.hpp"

namespace con {

inline constexpr Millis kEscapePause{60};

struct TerminalOptions {
  bool linuxConsole = false;  // the Linux text console (its own cursor-size sequence)
  bool bell = true;           // tones ring the bell
  int inFd = 0, outFd = 1;    // the terminal's keyboard and screen: standard input and output
};

class Terminal final : public Device {
 public:
  // Fails (Errc::Invalid) when the input or output is not a terminal, or another Terminal
  // is open.
  static base::Result<std::unique_ptr<Terminal>> open(TerminalOptions options);
  ~Terminal() override;
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  void present(const Screen::Grid& grid, const Cursor& cursor) override;
  std::optional<KeyEvent> readKey(std::optional<Millis> timeout) override;
  Millis elapsed() const override;
  void tone(double hertz, double ticks) override;
  void lend() override;
  void takeBack() override;

  std::uint64_t bytesSent() const { return bytesSent_; }

 private:
  explicit Terminal(TerminalOptions options);
  void send(const std::string& bytes);
  bool largeEnough() const;
  void waitUntilLargeEnough();
  void handleResize();
  void repaint();
  enum class Input { Bytes, Resized, Timeout };
  Input waitForInput(std::optional<Millis> timeout);

  TerminalOptions options_;
  AnsiRenderer renderer_;
  KeyDecoder decoder_;
  Screen::Grid grid_{};
  Cursor cursor_;
  bool presented_ = false;
  std::uint64_t bytesSent_ = 0;
  std::chrono::steady_clock::time_point openedAt_;
};

}  // namespace con
