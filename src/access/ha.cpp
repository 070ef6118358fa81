// src/access/ha.cpp — the special-password prompt (rules H1..H3 in the header).
#include "access/ha.hpp"

#include <cstdio>
#include <optional>
#include <string>

#include "access/scramble.hpp"
#include "access/service_codes.hpp"
#include "rt/codepage.hpp"
#include "ui/form/getpassword.hpp"
#include "ui/modal_box.hpp"
#include "ui/qke.hpp"

namespace operators {
namespace {

using rt::literals::operator""_pl;

std::optional<std::string> shownEntry(ui::Context& c, int level) {
  const std::string blockColour = c.text("_EKRA_BLO").empty() ? "N/W" : c.text("_EKRA_BLO");
  ui::ModalBox box(c.con, {20, 35, 22, level > 0 ? 47 : 44}, blockColour);
  if (level > 0) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%2d", level % 100);
    c.con.writeCells(21, 44, digits, con::parseColourEntry(blockColour));
  }
  const con::CursorShape shape = c.con.setCursorShape(con::CursorShape::Normal);
  auto typed = ui::readPassword(c, {21, 37, 6, "W/W"});
  c.con.setCursorShape(shape);
  return typed;
}

std::optional<std::string> silentEntry(ui::Context& c) {
  c.con.tone(800, 1);
  const int k = c.con.inkey(con::KeyWait::seconds(1));
  if (k != '/' && !(k >= '0' && k <= '9')) return std::nullopt;
  const std::string saved = c.con.save({24, 74, 24, 79});
  const con::Cursor cursor = c.con.cursor();
  c.con.pushKey(k);  // the key that opened the entry is its first character
  auto typed = ui::readPassword(c, {24, 74, 6, "N/N"});
  c.con.restore({24, 74, 24, 79}, saved);
  c.con.moveCursor(cursor.row, cursor.col);
  return typed;
}

}  // namespace

bool HA(ui::Context& c, const AccessSeams& seams, std::string_view expected, bool silent, int level) {
  const std::optional<std::string> typed = silent ? silentEntry(c) : shownEntry(c, level);
  if (!typed) return false;
  const std::string entry = normalisePassword(*typed);
  const ServiceCodes codes = serviceCodes(c.con.time().now());
  const bool accepted = entry == normalisePassword(expected) || (level == 0 && entry == codes.first) ||
                        (level > 0 && entry == codes.second);
  if (accepted) {
    if (level != 0 && level != 2) logActivity(seams, "Akceptacja hasła specjalnego "_pl + std::to_string(level));
    return true;
  }
  if (!silent) ui::QKE(c, " Złe hasło ! "_pl);
  return false;
}

}  // namespace operators
