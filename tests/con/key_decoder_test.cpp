// Terminal key sequences to classic key codes.
#include "con/key_decoder.hpp"

#include <gtest/gtest.h>

#include "con/key_codes.hpp"

namespace {

namespace key = con::key;
using key::Mod;

// All keys the bytes give, the pause after them included.
std::vector<int> decode(std::string_view bytes) {
  con::KeyDecoder d;
  d.feed(bytes);
  std::vector<int> out;
  while (auto k = d.next()) out.push_back(k->code);
  d.flush();
  while (auto k = d.next()) out.push_back(k->code);
  return out;
}

std::string printable(std::string_view s) {
  std::string out;
  for (char c : s) out += c == '\x1B' ? std::string("ESC") : std::string(1, c);
  return out;
}

TEST(KeyDecoder, MapsTerminalSequencesToClassicCodes) {
  struct Case { const char* terminal; const char* bytes; std::vector<int> codes; };
  const Case cases[] = {
      // function keys, plain and with modifiers
      {"xterm", "\x1BOP", {key::kF1}},
      {"xterm", "\x1BOS", {-3}},
      {"xterm", "\x1B[15~", {-4}},
      {"xterm", "\x1B[19~", {-7}},  // F8
      {"xterm", "\x1B[21~", {-9}},
      {"xterm", "\x1B[23~", {-40}},
      {"xterm", "\x1B[24~", {-41}},
      {"xterm", "\x1B[1;2P", {-10}},  // Shift+F1
      {"xterm", "\x1B[20;2~", {-18}},  // Shift+F9
      {"xterm", "\x1B[21;2~", {-19}},
      {"xterm", "\x1B[1;5Q", {-21}},  // Ctrl+F2
      {"xterm", "\x1B[1;3P", {-30}},  // Alt+F1
      {"xterm", "\x1B[21;3~", {-39}},  // Alt+F10
      {"xterm", "\x1B[23;2~", {-42}},
      {"xterm", "\x1B[24;5~", {-45}},
      {"xterm", "\x1B[24;3~", {-47}},
      {"xterm", "\x1B[15;7~", {-34}},  // Ctrl+Alt+F5: Alt wins
      {"old xterm", "\x1BO2R", {-12}},
      {"linux", "\x1B[[A", {key::kF1}},
      {"linux", "\x1B[[E", {-4}},
      {"linux", "\x1B[25~", {-10}},  // F13 = Shift+F1
      {"linux", "\x1B[34~", {-17}},  // F20 = Shift+F8
      {"rxvt", "\x1B[11~", {key::kF1}},
      {"rxvt", "\x1B[14~", {-3}},
      // navigation
      {"xterm", "\x1B[A\x1B[B\x1B[C\x1B[D", {key::kUp, key::kDown, key::kRight, key::kLeft}},
      {"xterm app", "\x1BOA\x1BOD", {key::kUp, key::kLeft}},
      {"xterm", "\x1B[H\x1B[F", {key::kHome, key::kEnd}},
      {"tmux", "\x1B[1~\x1B[4~", {key::kHome, key::kEnd}},
      {"rxvt", "\x1B[7~\x1B[8~", {key::kHome, key::kEnd}},
      {"xterm", "\x1B[2~\x1B[3~\x1B[5~\x1B[6~", {key::kIns, key::kDel, key::kPgUp, key::kPgDn}},
      {"xterm", "\x1B[1;5A\x1B[1;5B", {key::kCtrlUp, key::kCtrlDown}},
      {"xterm", "\x1B[1;5D\x1B[1;5C", {key::kCtrlLeft, key::kCtrlRight}},
      {"xterm", "\x1B[1;5H\x1B[1;5F", {key::kCtrlHome, key::kCtrlEnd}},
      {"xterm", "\x1B[5;5~\x1B[6;5~", {key::kCtrlPgUp, key::kCtrlPgDn}},
      {"xterm", "\x1B[2;5~\x1B[3;5~", {key::kCtrlIns, key::kCtrlDel}},
      {"xterm", "\x1B[1;3A\x1B[1;3H\x1B[6;3~", {key::kAltUp, key::kAltHome, key::kAltPgDn}},
      {"xterm", "\x1B[1;2A", {key::kUp}},  // Shift+arrow is the arrow
      {"rxvt", "\x1BOd\x1BOc", {key::kCtrlLeft, key::kCtrlRight}},
      {"rxvt", "\x1B[5^\x1B[7^", {key::kCtrlPgUp, key::kCtrlHome}},
      {"rxvt", "\x1B\x1B[A", {key::kAltUp}},
      {"xterm", "\x1B[Z", {key::kShiftTab}},
      // Alt + key
      {"any", "\x1B" "a\x1B" "c\x1Bi\x1Bk\x1Bz", {key::kAltA, key::kAltC, key::kAltI, key::kAltK, key::kAltZ}},
      {"any", "\x1BZ", {key::kAltZ}},
      {"any", "\x1B" "1\x1B" "9\x1B" "0\x1B-\x1B=", {376, 384, 385, 386, 387}},
      {"any", "\x1B\r\x1B\t\x1B\x7F", {key::kAltEnter, key::kAltTab, key::kAltBackspace}},
      // plain bytes
      {"any", "\r\n\t\x7F\x08", {key::kEnter, key::kCtrlEnter, key::kTab, key::kBackspace, key::kBackspace}},
      {"any", "\x01\x03\x13\x1A a", {1, 3, 19, 26, ' ', 'a'}},
      {"utf-8", "\xC4\x85\xC5\xBC\xC5\x81\xC3\xB3", {165, 190, 157, 162}},  // ą ż Ł ó
      {"utf-8", "\xE2\x82\xAC" "x", {'x'}},  // the euro sign has no CP852 byte
      // modifyOtherKeys and the "u" form
      {"xterm", "\x1B[27;5;13~", {key::kCtrlEnter}},
      {"xterm", "\x1B[27;5;9~\x1B[27;2;9~", {key::kCtrlTab, key::kShiftTab}},
      {"kitty", "\x1B[13;5u\x1B[127;5u", {key::kCtrlEnter, key::kCtrlBackspace}},
      // keypad in application mode
      {"xterm app", "\x1BOp\x1BOy\x1BOk\x1BOM", {'0', '9', '+', key::kEnter}},
      // things that are not keys
      {"focus, mouse, keypad 5", "\x1B[I\x1B[<0;3;4M\x1B[Ex", {'x'}},
      // Esc
      {"lone Esc", "\x1B", {key::kEsc}},
      {"Esc twice", "\x1B\x1B", {key::kEsc, key::kEsc}},
      {"Esc then a UTF-8 letter", "\x1B\xC4\x85", {key::kEsc, 165}},
      {"Alt+Shift+O alone", "\x1BO", {key::kAltO}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.terminal) + ": " + printable(c.bytes));
    EXPECT_EQ(decode(c.bytes), c.codes);
  }
}

TEST(KeyDecoder, WaitsForTheRestOfASplitSequenceUntilThePause) {
  con::KeyDecoder d;
  d.feed("\x1B[1;");
  EXPECT_FALSE(d.next());
  EXPECT_TRUE(d.pending());
  d.feed("5D");
  EXPECT_EQ(d.next()->code, key::kCtrlLeft);
  d.feed("\x1B");
  EXPECT_FALSE(d.next());
  d.feed("k");
  EXPECT_EQ(d.next()->code, key::kAltK);
  d.feed("\x1B");
  EXPECT_FALSE(d.next());
  d.flush();
  EXPECT_EQ(d.next()->code, key::kEsc);
  EXPECT_FALSE(d.pending());
}

TEST(KeyDecoder, ReportsShiftForUpperCaseAltLetters) {
  con::KeyDecoder d;
  d.feed("\x1BZ\x1Bz");
  const auto upper = d.next();
  const auto lower = d.next();
  EXPECT_EQ(*upper, (con::KeyEvent{key::kAltZ, true}));
  EXPECT_EQ(*lower, (con::KeyEvent{key::kAltZ, false}));
}

}  // namespace
