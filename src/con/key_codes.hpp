// src/con/key_codes.hpp — the classic key codes the program sees. A printable key is the
// CP852 byte of its character; Ctrl+letter is 1..26, and the navigation keys share those
// codes (Left is Ctrl+S, 19). Function keys are negative apart from F1 (28); Alt+letter is
// 256 + the PC scan code of the letter key. Codes above 255 come only from the keyboard,
// never from a stuffed string.
#pragma once

#include <optional>

namespace con::key {

inline constexpr int kNone = 0;

inline constexpr int kHome = 1, kCtrlRight = 2, kPgDn = 3, kRight = 4, kUp = 5, kEnd = 6, kDel = 7,
                     kBackspace = 8, kTab = 9, kCtrlEnter = 10, kEnter = 13, kPgUp = 18, kLeft = 19,
                     kIns = 22, kCtrlEnd = 23, kDown = 24, kCtrlLeft = 26, kEsc = 27, kF1 = 28,
                     kCtrlHome = 29, kCtrlPgDn = 30, kCtrlPgUp = 31, kSpace = 32, kCtrlBackspace = 127;

inline constexpr int kAltEsc = 257, kAltBackspace = 270, kShiftTab = 271, kAltEnter = 284,
                     kCtrlUp = 397, kCtrlDown = 401, kCtrlIns = 402, kCtrlDel = 403, kCtrlTab = 404,
                     kAltHome = 407, kAltUp = 408, kAltPgUp = 409, kAltLeft = 411, kAltRight = 413,
                     kAltEnd = 415, kAltDown = 416, kAltPgDn = 417, kAltIns = 418, kAltDel = 419,
                     kAltTab = 421;

inline constexpr int kAltA = 286, kAltC = 302, kAltE = 274, kAltI = 279, kAltK = 293, kAltL = 294,
                     kAltN = 305, kAltO = 280, kAltS = 287, kAltX = 301, kAltZ = 300;

// Mouse events, when the device reports them (KeyEvent::row/col tell where).
inline constexpr int kMouseMove = 1001, kMouseLeftDown = 1002, kMouseLeftUp = 1003, kMouseRightDown = 1004,
                     kMouseRightUp = 1005, kMouseLeftDouble = 1006, kMouseRightDouble = 1007;

enum class Mod { None, Shift, Ctrl, Alt };

// F1..F12 with one modifier: F1 28/-10/-20/-30, F2..F10 -1..-9 (Shift -11..-19, Ctrl
// -21..-29, Alt -31..-39), F11 -40/-42/-44/-46, F12 -41/-43/-45/-47.
// REQUIRES: 1 <= n <= 12.
constexpr int function(int n, Mod mod = Mod::None) {
  if (n >= 11) {
    const int base = n == 11 ? -40 : -41;
    switch (mod) {
      case Mod::None: return base;
      case Mod::Shift: return base - 2;
      case Mod::Ctrl: return base - 4;
      case Mod::Alt: return base - 6;
    }
  }
  const int offset = mod == Mod::None ? 0 : mod == Mod::Shift ? 10 : mod == Mod::Ctrl ? 20 : 30;
  if (n == 1) return mod == Mod::None ? kF1 : -offset;
  return -(n - 1) - offset;
}

// Alt + a letter (either case): 256 + the scan code of the letter key.
constexpr std::optional<int> altLetter(char letter) {
  constexpr int kScan[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                             49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  return 256 + kScan[letter - 'A'];
}

// Alt + a key of the top row: 1..9 are 376..384, 0 is 385, "-" 386, "=" 387.
constexpr std::optional<int> altDigitRow(char c) {
  if (c >= '1' && c <= '9') return 376 + (c - '1');
  if (c == '0') return 385;
  if (c == '-') return 386;
  if (c == '=') return 387;
  return std::nullopt;
}

// The letter of an Alt+letter code, upper case; nullopt for any other code.
constexpr std::optional<char> letterOfAlt(int code) {
  for (char c = 'A'; c <= 'Z'; ++c)
    if (altLetter(c) == code) return c;
  return std::nullopt;
}

}  // namespace con::key
