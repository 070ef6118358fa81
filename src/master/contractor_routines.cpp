// src/master/contractor_routines.cpp — credit check, footer lines, temporary numbers.
#include "master/contractor_routines.hpp"

#include "db/workspace.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/seams.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "ui/form/field_edit.hpp"
#include "ui/form/read_form.hpp"
#include "ui/qke.hpp"

namespace master {
namespace {

using rt::literals::operator""_pl;

constexpr std::string_view kNumberOrder = "KON_NR";
constexpr double kBlockedBelow = 1.01;
constexpr int kLastTemporary = 9999;

std::string padded(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

// ", " + the trimmed text, or nothing for an empty one.
std::string part(std::string_view text) {
  const std::string t = trimBoth(text);
  return t.empty() ? std::string() : ", " + t;
}

void warnAboutCredit(ui::Context& c, db::WorkArea& kon) {
  const double limit = fieldNumber(c, kon, "LIMIT");
  const double balance = fieldNumber(c, kon, "WN_ODB") - fieldNumber(c, kon, "MA_ODB");
  if (limit != 0 && limit < kBlockedBelow) ui::QKE(c, "Klient zablokowany przez centralę."_pl);
  if (limit != 0 && balance > limit) ui::QKE(c, "Przekroczony limit zadłużenia."_pl);
}

bool seekNumber(db::WorkArea& kon, std::string_view number) {
  if (const int order = orderNamed(kon, kNumberOrder); order != 0) kon.setOrder(order);
  return kon.seek(rt::Value::character(std::string(number)), db::SeekMode::Exact);
}

char stationLetter(const ui::Context& c) {
  const std::string letter = c.text("_CKON");
  return letter.empty() ? 'A' : letter[0];
}

std::string fourDigits(int n) { return rt::strZero(n, 4); }

// The next free temporary number of `letter`: the highest in use plus one.
std::optional<std::string> nextTemporary(db::WorkArea& kon, char letter) {
  KeepPosition keep(kon);
  kon.seek(rt::Value::character(std::string(1, static_cast<char>(letter + 1))), db::SeekMode::Soft);
  kon.skip(-1);
  int last = 0;
  if (!kon.bof() && !kon.eof()) {
    const rt::Value v = kon.value(*kon.fieldIndex("NR_KON"));
    const std::string number = v.isText() ? v.text() : std::string();
    if (!number.empty() && number[0] == letter) last = static_cast<int>(rt::val(number.substr(1)).value);
  }
  if (last >= kLastTemporary) return std::nullopt;
  return std::string(1, letter) + fourDigits(last + 1);
}

// A number as typed, in its stored form (see DAJ_TMP).
std::string normalised(const std::string& number, char letter) {
  const std::string t = trimBoth(number);
  if (t.empty()) return number;
  if (t[0] == letter) return std::string(1, letter) + fourDigits(static_cast<int>(rt::val(t.substr(1)).value) % 10000);
  if (t[0] >= '1' && t[0] <= '9') return rt::strZero(rt::val(t).value, 5);
  return number;
}

}  // namespace

bool KON_OK(ui::Context& c, std::string_view number) {
  db::Workspace& ws = *c.workspace;
  if (db::WorkArea* kon = ws.find("KON")) {
    const int order = kon->orderNumber();
    const bool found = seekNumber(*kon, number);
    kon->setOrder(order);
    if (found) warnAboutCredit(c, *kon);
    return true;
  }
  TableScope scope(c);
  if (db::WorkArea* kon = openTable(c, "KON", "R", {}, {std::string(kNumberOrder)}))
    if (seekNumber(*kon, number)) warnAboutCredit(c, *kon);
  return true;
}

std::string SLAD_KON(ui::Context& c) {
  db::WorkArea& a = currentArea(c);
  return padded(" " + trimBoth(fieldText(c, a, "MIASTO")) + part(fieldText(c, a, "ADRES")), 70);
}

std::string SLAD_KON2(ui::Context& c) {
  db::WorkArea& a = currentArea(c);
  return padded(" " + trimBoth(fieldText(c, a, "NAZWA_KON")) + ", " + trimBoth(fieldText(c, a, "MIASTO")) +
                    part(fieldText(c, a, "ADRES")),
                76);
}

bool DAJ_KONTO(ui::Context& c, rt::Value& target) {
  const double picked = c.number("_KTORY_REKORD");
  if (picked > 0) {
    db::WorkArea& a = currentArea(c);
    a.goTo(static_cast<std::uint32_t>(picked));
    c.setPublic("_KTORY_REKORD", rt::Value::integer(0));
    target = fieldValue(c, a, "KONTO");
  }
  if (c.form != nullptr) ui::REDISPLAY(c, c.form->gets);
  return true;
}

void K_OFF(ui::Context& c) {
  c.con.clearTypeAhead();
  rt::Value typed = rt::Value::character(" ");
  ui::Get g = ui::getOn(24, 0, typed, "X");
  c.con.setCursorShape(con::CursorShape::Normal);
  (void)ui::readOne(c, g);
  c.con.setCursorShape(con::CursorShape::None);
  c.con.clearTypeAhead();
}

bool KON_TMP(std::string_view number) {
  if (number.empty()) return true;
  const char first = number[0];
  return first == ' ' || (first >= 'A' && first <= 'Z');
}

bool DAJ_TMP(ui::Context& c, bool redraw) {
  db::WorkArea& kon = currentArea(c);
  const char letter = stationLetter(c);
  std::string number = fieldText(c, kon, "NR_KON");
  if (number.empty() || number[0] == ' ') {
    const int order = orderNamed(kon, kNumberOrder);
    if (order != 0) {
      KeepPosition keep(kon);
      kon.setOrder(order);
      if (std::optional<std::string> next = nextTemporary(kon, letter)) number = *next;
    }
  }
  const std::string stored = normalised(number, letter);
  if (stored != fieldText(c, kon, "NR_KON")) storeField(c, kon, "NR_KON", rt::Value::character(stored));
  if (redraw) redrawRunningList(c);
  return true;
}

bool UNIK_KON(ui::Context& c) {
  DAJ_TMP(c, false);
  db::WorkArea& kon = currentArea(c);
  const std::string number = fieldText(c, kon, "NR_KON");
  if (trimBoth(number).empty()) return false;
  const std::uint32_t self = kon.recno();
  bool taken = false;
  {
    KeepPosition keep(kon);
    kon.flush();
    if (const int order = orderNamed(kon, kNumberOrder); order != 0) kon.setOrder(order);
    for (bool more = kon.seek(rt::Value::character(number), db::SeekMode::Exact); more && !taken;) {
      taken = kon.recno() != self;
      kon.skip(1);
      more = !kon.eof() && fieldText(c, kon, "NR_KON") == number;
    }
  }
  if (taken) ui::QKE(c, "Kontrahent o takim numerze już istnieje !"_pl);
  return !taken;
}

}  // namespace master
