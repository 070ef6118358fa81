// src/con/key_decoder.cpp — terminal key sequences to classic key codes.
#include "con/key_decoder.hpp"

#include <cstdlib>
#include <vector>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"

namespace con {

namespace {

constexpr char kEsc = '\x1B';

enum class Named { Up, Down, Left, Right, Home, End, PgUp, PgDn, Ins, Del, Tab, Enter, Backspace, Escape };

struct Mods {
  bool shift = false, alt = false, ctrl = false;
};

// xterm's modifier parameter: 1 + (Shift 1 | Alt 2 | Ctrl 4 | Meta 8); Meta counts as Alt.
Mods modsOfParam(int p) {
  const int bits = p > 1 ? p - 1 : 0;
  return {(bits & 1) != 0, (bits & 2) != 0 || (bits & 8) != 0, (bits & 4) != 0};
}

// Codes of the named keys: plain, Shift, Ctrl, Alt.
int namedCode(Named k, Mods m) {
  struct Row { int plain, shift, ctrl, alt; };
  static constexpr Row kRows[] = {
      {key::kUp, key::kUp, key::kCtrlUp, key::kAltUp},
      {key::kDown, key::kDown, key::kCtrlDown, key::kAltDown},
      {key::kLeft, key::kLeft, key::kCtrlLeft, key::kAltLeft},
      {key::kRight, key::kRight, key::kCtrlRight, key::kAltRight},
      {key::kHome, key::kHome, key::kCtrlHome, key::kAltHome},
      {key::kEnd, key::kEnd, key::kCtrlEnd, key::kAltEnd},
      {key::kPgUp, key::kPgUp, key::kCtrlPgUp, key::kAltPgUp},
      {key::kPgDn, key::kPgDn, key::kCtrlPgDn, key::kAltPgDn},
      {key::kIns, key::kIns, key::kCtrlIns, key::kAltIns},
      {key::kDel, key::kDel, key::kCtrlDel, key::kAltDel},
      {key::kTab, key::kShiftTab, key::kCtrlTab, key::kAltTab},
      {key::kEnter, key::kEnter, key::kCtrlEnter, key::kAltEnter},
      {key::kBackspace, key::kBackspace, key::kCtrlBackspace, key::kAltBackspace},
      {key::kEsc, key::kEsc, key::kEsc, key::kAltEsc},
  };
  const Row& r = kRows[static_cast<int>(k)];
  return m.alt ? r.alt : m.ctrl ? r.ctrl : m.shift ? r.shift : r.plain;
}

int functionCode(int n, Mods m) {
  return key::function(n, m.alt ? key::Mod::Alt : m.ctrl ? key::Mod::Ctrl : m.shift ? key::Mod::Shift : key::Mod::None);
}

// The key of a "ESC [ n ~" number: a named key, or function key `function` (1..12).
struct TildeKey {
  Named named = Named::Home;
  int function = 0;
};

std::optional<TildeKey> tildeKey(int n) {
  switch (n) {
    case 1: case 7: return TildeKey{Named::Home};
    case 2: return TildeKey{Named::Ins};
    case 3: return TildeKey{Named::Del};
    case 4: case 8: return TildeKey{Named::End};
    case 5: return TildeKey{Named::PgUp};
    case 6: return TildeKey{Named::PgDn};
    case 11: case 12: case 13: case 14: case 15: return TildeKey{Named::Home, n - 10};
    case 17: case 18: case 19: case 20: case 21: return TildeKey{Named::Home, n - 11};
    case 23: case 24: return TildeKey{Named::Home, n - 12};
    default: return std::nullopt;
  }
}

// The Linux console's F13..F20, which it sends for Shift+F1..Shift+F8.
int shiftedFunctionOfLinux(int n) {
  constexpr int kNumbers[8] = {25, 26, 28, 29, 31, 32, 33, 34};
  for (int i = 0; i < 8; ++i)
    if (kNumbers[i] == n) return i + 1;
  return 0;
}

// A key given by its character code with modifiers (modifyOtherKeys, "u" form).
std::optional<KeyEvent> keyOfCodePoint(int cp, Mods m) {
  switch (cp) {
    case 13: return KeyEvent{namedCode(Named::Enter, m)};
    case 9: return KeyEvent{namedCode(Named::Tab, m)};
    case 127: case 8: return KeyEvent{namedCode(Named::Backspace, m)};
    case 27: return KeyEvent{namedCode(Named::Escape, m)};
    default: break;
  }
  if (cp < 32 || cp > 0x10FFFF) return std::nullopt;
  const char c = cp < 128 ? static_cast<char>(cp) : '\0';
  if (m.alt && c) {
    if (auto code = key::altLetter(c)) return KeyEvent{*code, (c >= 'A' && c <= 'Z') || m.shift};
    if (auto code = key::altDigitRow(c)) return KeyEvent{*code};
  }
  if (m.ctrl && c && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return KeyEvent{(c & 0x1F)};
  const unsigned char b = rt::cp852OfUnicode(static_cast<char32_t>(cp));
  if (b == '?' && cp != '?') return std::nullopt;
  return KeyEvent{b};
}

KeyEvent withAlt(KeyEvent k) {
  // ESC before a whole sequence: Alt plus that key. Keys without an Alt code stay as they are.
  struct Pair { int plain, alt; };
  static constexpr Pair kPairs[] = {
      {key::kUp, key::kAltUp},     {key::kDown, key::kAltDown}, {key::kLeft, key::kAltLeft},
      {key::kRight, key::kAltRight}, {key::kHome, key::kAltHome}, {key::kEnd, key::kAltEnd},
      {key::kPgUp, key::kAltPgUp}, {key::kPgDn, key::kAltPgDn}, {key::kIns, key::kAltIns},
      {key::kDel, key::kAltDel},   {key::kF1, -30}};
  for (const Pair& p : kPairs)
    if (k.code == p.plain) return KeyEvent{p.alt};
  if (k.code <= -1 && k.code >= -9) return KeyEvent{k.code - 30};
  if (k.code == -40 || k.code == -41) return KeyEvent{k.code - 6};
  return k;
}

}  // namespace

std::optional<KeyEvent> KeyDecoder::next() {
  while (!buf_.empty()) {
    Parsed p = parse(0, false);
    if (p.step == Step::Incomplete) {
      if (!flushed_) return std::nullopt;
      // The pause has passed: the first byte is a key of its own (a lone ESC is Esc), or,
      // for a cut UTF-8 character, nothing.
      const auto b = static_cast<unsigned char>(buf_[0]);
      if (buf_ == "\x1BO") {  // Alt+Shift+O, not the start of an SS3 sequence after all
        buf_.clear();
        return KeyEvent{key::kAltO, true};
      }
      buf_.erase(0, 1);
      if (b == 0x1B) return KeyEvent{key::kEsc};
      continue;
    }
    buf_.erase(0, p.length);
    if (p.step == Step::Key) return p.key;
  }
  return std::nullopt;
}

KeyDecoder::Parsed KeyDecoder::parse(std::size_t at, bool alt) const {
  if (at >= buf_.size()) return {};
  const auto b = static_cast<unsigned char>(buf_[at]);
  if (b == 0x1B) {
    if (at + 1 >= buf_.size()) return {};
    const char c = buf_[at + 1];
    if (c == '[') return parseCsi(at, alt);
    if (c == 'O') return parseSs3(at, alt);
    if (alt) return {Step::Key, 1, KeyEvent{key::kEsc}};  // ESC ESC x: the first ESC is Esc
    if (c == kEsc) {
      // ESC ESC [ ... is Alt+sequence (rxvt); ESC ESC alone is two Esc keys.
      if (at + 2 >= buf_.size()) return flushed_ ? Parsed{Step::Key, 1, KeyEvent{key::kEsc}} : Parsed{};
      const char d = buf_[at + 2];
      if (d == '[' || d == 'O') {
        Parsed inner = parse(at + 1, true);
        if (inner.step != Step::Incomplete) ++inner.length;
        if (inner.step == Step::Key) inner.key = withAlt(inner.key);
        return inner;
      }
      return {Step::Key, 1, KeyEvent{key::kEsc}};
    }
    // ESC + one key: Alt.
    const auto uc = static_cast<unsigned char>(c);
    if (auto code = key::altLetter(c)) return {Step::Key, 2, KeyEvent{*code, c >= 'A' && c <= 'Z'}};
    if (auto code = key::altDigitRow(c)) return {Step::Key, 2, KeyEvent{*code}};
    if (uc == '\r') return {Step::Key, 2, KeyEvent{key::kAltEnter}};
    if (uc == '\t') return {Step::Key, 2, KeyEvent{key::kAltTab}};
    if (uc == 0x7F || uc == 0x08) return {Step::Key, 2, KeyEvent{key::kAltBackspace}};
    return {Step::Key, 1, KeyEvent{key::kEsc}};  // Esc, then the key after it on its own
  }
  if (b >= 0x80) return parseUtf8(at);
  switch (b) {
    case 0x7F: case 0x08: return {Step::Key, 1, KeyEvent{key::kBackspace}};
    case 0x0D: return {Step::Key, 1, KeyEvent{key::kEnter}};
    case 0x0A: return {Step::Key, 1, KeyEvent{key::kCtrlEnter}};
    case 0x00: return {Step::Skip, 1, {}};
    default: return {Step::Key, 1, KeyEvent{b}};
  }
}

KeyDecoder::Parsed KeyDecoder::parseCsi(std::size_t at, bool alt) const {
  std::size_t i = at + 2;
  // The Linux console's F1..F5: ESC [ [ A..E.
  if (i < buf_.size() && buf_[i] == '[') {
    if (i + 1 >= buf_.size()) return {};
    const char f = buf_[i + 1];
    if (f >= 'A' && f <= 'E') return {Step::Key, i + 2 - at, KeyEvent{functionCode(f - 'A' + 1, {false, alt, false})}};
    return {Step::Skip, i + 2 - at, {}};
  }
  std::vector<int> params;
  std::string digits;
  for (; i < buf_.size(); ++i) {
    const char c = buf_[i];
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (c == ';' || c == ':') {
      params.push_back(digits.empty() ? 0 : std::atoi(digits.c_str()));
      digits.clear();
    } else if (c == '<' || c == '=' || c == '>' || c == '?') {
      continue;  // private markers: not a key sequence we know; the final byte ends it
    } else {
      break;
    }
  }
  if (i >= buf_.size()) return {};
  params.push_back(digits.empty() ? 0 : std::atoi(digits.c_str()));
  const char final = buf_[i];
  const std::size_t length = i + 1 - at;
  const bool known = static_cast<unsigned char>(final) >= 0x40 && static_cast<unsigned char>(final) <= 0x7E;
  if (!known && final != '$') return {Step::Skip, length, {}};
  const int p1 = params[0];
  Mods m = params.size() > 1 ? modsOfParam(params[1]) : Mods{};
  m.alt = m.alt || alt;
  auto named = [&](Named k) { return Parsed{Step::Key, length, KeyEvent{namedCode(k, m)}}; };
  auto fn = [&](int n) { return Parsed{Step::Key, length, KeyEvent{functionCode(n, m)}}; };
  switch (final) {
    case 'A': return named(Named::Up);
    case 'B': return named(Named::Down);
    case 'C': return named(Named::Right);
    case 'D': return named(Named::Left);
    case 'H': return named(Named::Home);
    case 'F': return named(Named::End);
    case 'Z': return Parsed{Step::Key, length, KeyEvent{m.alt ? key::kAltTab : key::kShiftTab}};
    case 'P': case 'Q': case 'R': case 'S': return fn(final - 'P' + 1);
    case 'a': m.shift = true; return named(Named::Up);      // rxvt Shift+arrows
    case 'b': m.shift = true; return named(Named::Down);
    case 'c': m.shift = true; return named(Named::Right);
    case 'd': m.shift = true; return named(Named::Left);
    case 'u': {
      if (auto k = keyOfCodePoint(p1, m)) return {Step::Key, length, *k};
      return {Step::Skip, length, {}};
    }
    case '~': case '$': case '^': case '@': {
      if (final == '$') m.shift = true;
      if (final == '^') m.ctrl = true;
      if (final == '@') m.ctrl = m.shift = true;
      if (p1 == 27 && params.size() >= 3 && final == '~') {
        if (auto k = keyOfCodePoint(params[2], modsOfParam(params[1]))) return {Step::Key, length, *k};
        return {Step::Skip, length, {}};
      }
      if (const int f = shiftedFunctionOfLinux(p1)) {
        m.shift = true;
        return fn(f);
      }
      const auto k = tildeKey(p1);
      if (!k) return {Step::Skip, length, {}};
      return k->function ? fn(k->function) : named(k->named);
    }
    default: return {Step::Skip, length, {}};
  }
}

KeyDecoder::Parsed KeyDecoder::parseSs3(std::size_t at, bool alt) const {
  std::size_t i = at + 2;
  int modParam = 0;
  while (i < buf_.size() && buf_[i] >= '0' && buf_[i] <= '9') modParam = modParam * 10 + (buf_[i++] - '0');
  if (i >= buf_.size()) return {};
  const char final = buf_[i];
  const std::size_t length = i + 1 - at;
  Mods m = modsOfParam(modParam);
  m.alt = m.alt || alt;
  auto named = [&](Named k) { return Parsed{Step::Key, length, KeyEvent{namedCode(k, m)}}; };
  auto byte = [&](char c) { return Parsed{Step::Key, length, KeyEvent{static_cast<unsigned char>(c)}}; };
  switch (final) {
    case 'A': return named(Named::Up);
    case 'B': return named(Named::Down);
    case 'C': return named(Named::Right);
    case 'D': return named(Named::Left);
    case 'H': return named(Named::Home);
    case 'F': return named(Named::End);
    case 'P': case 'Q': case 'R': case 'S': return {Step::Key, length, KeyEvent{functionCode(final - 'P' + 1, m)}};
    case 'a': m.ctrl = true; return named(Named::Up);  // rxvt Ctrl+arrows
    case 'b': m.ctrl = true; return named(Named::Down);
    case 'c': m.ctrl = true; return named(Named::Right);
    case 'd': m.ctrl = true; return named(Named::Left);
    case 'M': return named(Named::Enter);
    case 'j': return byte('*');
    case 'k': return byte('+');
    case 'l': return byte(',');
    case 'm': return byte('-');
    case 'n': return byte('.');
    case 'o': return byte('/');
    case 'X': return byte('=');
    default:
      if (final >= 'p' && final <= 'y') return byte(static_cast<char>('0' + (final - 'p')));
      return {Step::Skip, length, {}};
  }
}

KeyDecoder::Parsed KeyDecoder::parseUtf8(std::size_t at) const {
  const auto b = static_cast<unsigned char>(buf_[at]);
  const std::size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  if (need == 1) return {Step::Skip, 1, {}};  // a stray continuation byte
  if (at + need > buf_.size()) return {};
  for (std::size_t k = 1; k < need; ++k)
    if ((static_cast<unsigned char>(buf_[at + k]) & 0xC0) != 0x80) return {Step::Skip, k, {}};
  const std::string_view seq(buf_.data() + at, need);
  const std::string cp = rt::cp852FromUtf8(seq);
  if (cp.size() != 1 || cp[0] == '?') return {Step::Skip, need, {}};
  return {Step::Key, need, KeyEvent{static_cast<unsigned char>(cp[0])}};
}

}  // namespace con
