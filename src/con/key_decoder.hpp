// src/con/key_decoder.hpp — turns the bytes a terminal sends for key presses into classic
// key codes. Knows the sequences of xterm and its followers (gnome, konsole, kitty's legacy
// mode), tmux and screen, the Linux console and rxvt:
//   * CSI "ESC [" params final: arrows, Home/End, Ins/Del, PgUp/PgDn, F1..F12, Shift+Tab,
//     with an xterm modifier parameter ("ESC [ 1 ; 5 D" is Ctrl+Left), rxvt's "$", "^", "@"
//     endings, the Linux console's "ESC [ [ A".."E" (F1..F5) and F13..F20 (Shift+F1..F8),
//     xterm's modifyOtherKeys "ESC [ 27 ; m ; code ~" and the "ESC [ code ; m u" form;
//   * SS3 "ESC O" final: F1..F4, arrows, Home/End and the keypad in application mode;
//   * ESC before a key: Alt (Alt+letters, Alt+digits, Alt+Enter, Alt+Tab, Alt+Backspace,
//     and ESC before a whole sequence, as rxvt sends Alt+arrows);
//   * UTF-8 characters, as the CP852 byte of the character (dropped when CP852 lacks it);
//   * DEL and ^H as Backspace, CR as Enter, LF as Ctrl+Enter, other control bytes as
//     themselves (Ctrl+letters share the navigation codes, as they always have).
// An ESC alone cannot be told from the start of a sequence until a short pause has passed:
// next() holds such bytes back (pending() is true) until flush() says the pause is over;
// then ESC is Esc and the bytes after it are keys of their own.
// With several modifiers Alt wins over Ctrl, and Ctrl over Shift. Sequences of no key this
// program knows (keypad 5, focus reports) are consumed and dropped.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "con/device.hpp"

namespace con {

class KeyDecoder {
 public:
  void feed(std::string_view bytes) { buf_.append(bytes); flushed_ = false; }
  std::optional<KeyEvent> next();
  bool pending() const { return !buf_.empty(); }
  void flush() { flushed_ = true; }

 private:
  enum class Step { Key, Skip, Incomplete };
  struct Parsed {
    Step step = Step::Incomplete;
    std::size_t length = 0;
    KeyEvent key;
  };
  Parsed parse(std::size_t at, bool alt) const;
  Parsed parseCsi(std::size_t at, bool alt) const;
  Parsed parseSs3(std::size_t at, bool alt) const;
  Parsed parseUtf8(std::size_t at) const;

  std::string buf_;
  bool flushed_ = false;
};

}  // namespace con
