// tools/zelmoran-tool/keys_command.cpp — zelmoran-tool keys: the terminal check screen.
// Shows every box-drawing and shade character of the program's code page, the Polish
// letters and the 16 x 16 colour attributes, then the code of each key pressed, so that a
// terminal (and its settings) can be checked before the program is used on it. Esc twice in
// a row leaves.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "commands.hpp"
#include "con/console.hpp"
#include "con/key_codes.hpp"
#include "con/terminal.hpp"
#include "rt/codepage.hpp"
#include "sys/clock.hpp"

namespace tool {

namespace {

using namespace rt::literals;
namespace key = con::key;

constexpr int kLogTop = 8, kLogBottom = 22, kLogLeft = 50;

// Every name a code has; codes shared by two keys show both ("Left / Ctrl+S").
std::string keyName(int code) {
  struct Named { int code; const char* name; };
  static constexpr Named kNamed[] = {
      {key::kEnter, "Enter"}, {key::kCtrlEnter, "Ctrl+Enter"}, {key::kEsc, "Esc"},
      {key::kBackspace, "Backspace"}, {key::kCtrlBackspace, "Ctrl+Backspace"}, {key::kTab, "Tab"},
      {key::kShiftTab, "Shift+Tab"}, {key::kUp, "Up"}, {key::kDown, "Down"}, {key::kLeft, "Left"},
      {key::kRight, "Right"}, {key::kCtrlLeft, "Ctrl+Left"}, {key::kCtrlRight, "Ctrl+Right"},
      {key::kCtrlUp, "Ctrl+Up"}, {key::kCtrlDown, "Ctrl+Down"}, {key::kHome, "Home"}, {key::kEnd, "End"},
      {key::kPgUp, "PgUp"}, {key::kPgDn, "PgDn"}, {key::kCtrlHome, "Ctrl+Home"}, {key::kCtrlEnd, "Ctrl+End"},
      {key::kCtrlPgUp, "Ctrl+PgUp"}, {key::kCtrlPgDn, "Ctrl+PgDn"}, {key::kIns, "Ins"}, {key::kDel, "Del"},
      {key::kCtrlIns, "Ctrl+Ins"}, {key::kCtrlDel, "Ctrl+Del"}, {key::kCtrlTab, "Ctrl+Tab"},
      {key::kAltEnter, "Alt+Enter"}, {key::kAltEsc, "Alt+Esc"}, {key::kAltBackspace, "Alt+Backspace"},
      {key::kAltTab, "Alt+Tab"}, {key::kAltUp, "Alt+Up"}, {key::kAltDown, "Alt+Down"},
      {key::kAltLeft, "Alt+Left"}, {key::kAltRight, "Alt+Right"}, {key::kAltHome, "Alt+Home"},
      {key::kAltEnd, "Alt+End"}, {key::kAltPgUp, "Alt+PgUp"}, {key::kAltPgDn, "Alt+PgDn"},
      {key::kAltIns, "Alt+Ins"}, {key::kAltDel, "Alt+Del"}, {key::kSpace, "Space"},
  };
  std::string names;
  auto add = [&](const std::string& n) { names += (names.empty() ? "" : " / ") + n; };
  for (const Named& n : kNamed)
    if (n.code == code) add(n.name);
  static constexpr const char* kMods[] = {"", "Shift+", "Ctrl+", "Alt+"};
  static constexpr key::Mod kModOf[] = {key::Mod::None, key::Mod::Shift, key::Mod::Ctrl, key::Mod::Alt};
  for (int m = 0; m < 4; ++m)
    for (int f = 1; f <= 12; ++f)
      if (key::function(f, kModOf[m]) == code) add(std::string(kMods[m]) + "F" + std::to_string(f));
  if (auto letter = key::letterOfAlt(code)) add(std::string("Alt+") + *letter);
  for (char c : std::string_view("1234567890-="))
    if (key::altDigitRow(c) == code) add(std::string("Alt+") + c);
  if (code >= 1 && code <= 26) add(std::string("Ctrl+") + static_cast<char>('A' + code - 1));
  if (code > 32 && code < 256 && code != 127) add("'" + rt::utf8FromCp852(std::string(1, static_cast<char>(code))) + "'");
  return names.empty() ? "?" : names;
}

void drawSamples(con::Console& c) {
  c.writeAttr(0, 0, std::string(80, ' '), 0x70);
  c.writeAttr(0, 1, "zelmoran-tool keys: sprawdzenie terminala (Esc dwa razy: wyjście)"_pl, 0x70);
  c.startClock(0, 71, 0x70);

  c.box({1, 0, 5, 19}, con::kDoubleFrame);
  c.write(3, 0, "╠══════╦═══════════╣"_pl);
  c.write(4, 7, "╩"_pl);
  c.write(2, 2, "podwójna"_pl);
  c.write(4, 10, "╬"_pl);
  c.box({1, 21, 5, 40}, con::kSingleFrame);
  c.write(3, 21, "├──────┬───────────┤"_pl);
  c.write(4, 28, "┴"_pl);
  c.write(4, 31, "┼"_pl);
  c.write(2, 23, "pojedyncza"_pl);
  c.write(1, 43, "Cienie:  ░░░ ▒▒▒ ▓▓▓ ███ ▄▄▄ ▀▀▀"_pl);
  c.write(2, 43, "Ramki:   ═║╔╗╚╝╠╣╦╩╬ ─│┌┐└┘├┤┬┴┼"_pl);
  c.write(3, 43, "Polskie: ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ"_pl);
  c.write(4, 43, "Strzałki: \x18 \x19 \x1A \x1B"_pl);
  c.write(6, 0, "Kolory: tło 0-F w wierszach, tekst w kolumnach"_pl);
  c.write(6, kLogLeft, "Klawisze (kod i nazwa):");
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int bg = 0; bg < 16; ++bg) {
    c.writeAttr(kLogTop - 1 + bg, 0, std::string(1, kHex[bg]), 0x07);
    for (int fg = 0; fg < 16; ++fg) {
      const std::string cell = std::string(" ") + kHex[fg] + " ";
      c.writeAttr(kLogTop - 1 + bg, 2 + fg * 3, cell, static_cast<con::Attr>(bg << 4 | fg));
    }
  }
}

void logKey(con::Console& c, int code, bool shift) {
  c.scroll({kLogTop, kLogLeft, kLogBottom, 79}, 1);
  std::string line = std::to_string(code) + "  " + keyName(code) + (shift ? " (Shift)" : "");
  line.resize(30, ' ');
  c.write(kLogBottom, kLogLeft, rt::cp852FromUtf8(line));
  c.clearRow(24, 0);
  c.write(24, 0, rt::cp852FromUtf8("Ostatni klawisz: " + std::to_string(code) + "  " + keyName(code)));
}

}  // namespace

int keysCommand(Args args) {
  if (!args.empty()) {
    std::fprintf(stderr, "zelmoran-tool keys takes no arguments\n");
    return 2;
  }
  const char* term = std::getenv("TERM");
  auto terminal = con::Terminal::open({term && std::string_view(term).starts_with("linux"), true});
  if (!terminal) {
    std::fprintf(stderr, "zelmoran-tool keys: %s\n", terminal.error().toString().c_str());
    return 2;
  }
  sys::SystemClock clock;
  con::Console c(**terminal, clock);
  c.setAltCBreak(false);
  c.setCursorShape(con::CursorShape::None);
  c.beginUpdate();
  c.clearScreen();
  drawSamples(c);
  c.endUpdate();
  int previous = 0;
  while (true) {
    const int code = c.inkey(con::KeyWait::forever());
    c.beginUpdate();
    logKey(c, code, c.lastKeyEvent().shift);
    c.endUpdate();
    if (code == key::kEsc && previous == key::kEsc) break;
    previous = code;
  }
  return 0;
}

}  // namespace tool
