// src/access/nowy_ope.cpp — the change of operator (rules N1, N2 in the header).
#include "access/nowy_ope.hpp"

#include <cstdio>
#include <random>

#include "access/operator.hpp"
#include "con/key_codes.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "ui/qk.hpp"

namespace operators {
namespace {

using rt::literals::operator""_pl;

void idleClock(ui::Context& c) {
  const sys::CivilTime start = c.con.time().now();
  std::minstd_rand random(static_cast<unsigned>(start.hour * 3600 + start.minute * 60 + start.second + 1));
  std::uniform_int_distribution<int> row(2, 18), col(0, 59);
  for (;;) {
    c.con.clearScreen();
    const sys::CivilTime t = c.con.time().now();
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour % 100, t.minute % 100);
    c.con.write(row(random), col(random), text);
    const int k = c.con.inkey(con::KeyWait::seconds(5));
    if (k == con::key::kEsc || k == con::key::kEnter || k == con::key::kSpace) return;
  }
}

}  // namespace

bool NOWY_OPE(ui::Context& c, const AccessSeams& seams) {
  c.con.stopClock();
  const std::string saved = c.con.save();
  const con::Cursor cursor = c.con.cursor();
  const con::CursorShape shape = c.con.setCursorShape(con::CursorShape::None);
  idleClock(c);
  c.con.clearScreen();
  const bool in = OPERATOR(c, seams);
  c.con.setCursorShape(shape);
  if (in) {
    c.con.restore(con::Rect::whole(), saved);
    c.con.moveCursor(cursor.row, cursor.col);
  }
  return in;
}

void ZMIANA_OPE(ui::Context& c, const AccessSeams& seams) {
  c.con.tone(440, 2);
  if (c.workspace != nullptr && c.workspace->areaOf("SL_OPE") != 0) return;
  if (!NOWY_OPE(c, seams)) {
    c.con.tone(220, 2);
    releaseFlag(seams);
    breakToStart(seams);
  }
  c.con.tone(880, 2);
  ui::QK(c, "Nowy operator : "_pl + c.text("_OPERATOR") + " !");
  for (int i = 0; i < 4; ++i) c.con.pushKey(con::key::kEsc);
  DAJOPE(c);
}

}  // namespace operators
