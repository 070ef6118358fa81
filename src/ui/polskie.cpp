// src/ui/polskie.cpp — the Polish-letter keyboard.
#include "ui/polskie.hpp"

#include <array>

#include "con/key_codes.hpp"

namespace ui {
namespace {

struct PolishKey {
  int code;
  unsigned char lower, upper;  // CP852
};

// In the order of the letter table: ą ć ę ł ń ó ś ż ź.
constexpr std::array<PolishKey, 9> kKeys{{
    {con::key::kAltA, 0xA5, 0xA4},
    {con::key::kAltC, 0x86, 0x8F},
    {con::key::kAltE, 0xA9, 0xA8},
    {con::key::kAltL, 0x88, 0x9D},
    {con::key::kAltN, 0xE4, 0xE3},
    {con::key::kAltO, 0xA2, 0xE0},
    {con::key::kAltS, 0x98, 0x97},
    {con::key::kAltZ, 0xBE, 0xBD},
    {con::key::kAltX, 0xAB, 0x8D},
}};

}  // namespace

bool POLSKIE(Context& c, std::optional<bool> on) {
  const bool previous = c.polishKeys;
  if (!on || *on == previous) return previous;
  for (const PolishKey& k : kKeys) {
    if (*on)
      c.con.bindings().bind(k.code, [&c](const con::HotKeyCall&) { POLKEY(c); });
    else
      c.con.bindings().unbind(k.code);
  }
  c.con.setAltCBreak(!*on);
  c.polishKeys = *on;
  return previous;
}

void POLKEY(Context& c) {
  const con::KeyEvent& e = c.con.lastKeyEvent();
  for (const PolishKey& k : kKeys) {
    if (k.code != e.code) continue;
    const bool upper = e.shift != e.capsLock;
    c.con.stuff(std::string(1, static_cast<char>(upper ? k.upper : k.lower)));
    return;
  }
}

}  // namespace ui
