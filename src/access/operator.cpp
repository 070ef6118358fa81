// src/access/operator.cpp — the login (rules L1..L5 in the header).
#include "access/operator.hpp"

#include <cmath>
#include <optional>
#include <string>

#include "access/operators_table.hpp"
#include "access/scramble.hpp"
#include "access/service_codes.hpp"
#include "access/stamp.hpp"
#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "ui/modal_box.hpp"
#include "ui/qk.hpp"
#include "ui/qke.hpp"

namespace operators {
namespace {

using rt::literals::operator""_pl;

constexpr int kAttempts = 3;
constexpr double kKeySeconds = 10;
constexpr int kBoxTop = 10, kBoxLeft = 35, kBoxBottom = 12, kBoxRight = 44, kEntryCol = 37;

enum class Outcome { In, WrongPassword, Refused };

std::string fieldText(db::WorkArea& a, std::string_view name) {
  const auto i = a.fieldIndex(name);
  if (!i) return "";
  const rt::Value v = a.value(*i);
  return v.isText() ? v.text() : "";
}

std::string rightTrimmed(std::string s) {
  const auto last = s.find_last_not_of(' ');
  s.resize(last == std::string::npos ? 0 : last + 1);
  return s;
}

void setValues(ui::Context& c, const std::string& code, int number, int priority, const std::string& name,
               const std::string& flags, const std::string& desk) {
  c.setPublic("_OPERATOR", rt::Value::character(code));
  c.setPublic("_NR_OPE", rt::Value::number(number));
  c.setPublic("_PRIORYTET", rt::Value::number(priority));
  c.setPublic("_NAZWISKO", rt::Value::character(name));
  c.setPublic("_BIERNY", rt::Value::character(flags));
  c.setPublic("_KASA_OPE", rt::Value::character(desk));
  const bool hidden = flags.size() >= 2 && (flags[1] == '*' || flags[1] == '!');
  c.setPublic("_UDOCEZAK", rt::Value::logical(!hidden));
}

// The typed password, or nullopt on Esc. Ends the program when no key comes in time.
std::optional<std::string> readPassword(ui::Context& c, const AccessSeams& seams) {
  std::string typed;
  for (;;) {
    c.con.moveCursor(kBoxTop + 1, kEntryCol + static_cast<int>(typed.size()));
    const int k = c.con.inkey(con::KeyWait::seconds(kKeySeconds));
    if (k == con::key::kNone) {
      c.con.clearScreen();
      endProgram(seams, static_cast<int>(c.number("_NR_OPE")));
    }
    if (k == con::key::kEsc) return std::nullopt;
    if (k == con::key::kEnter) return typed;
    if (k == con::key::kBackspace) {
      if (!typed.empty()) typed.pop_back();
    } else if (k >= 32 && k <= 255 && typed.size() < 6) {
      typed += static_cast<char>(rt::upperCp852(static_cast<unsigned char>(k)));
    }
  }
}

Outcome lookUp(ui::Context& c, const std::string& password) {
  int previous = 0;
  db::WorkArea* a = openOperators(c, xbase::Share::SharedReadOnly, PasswordOrder::Yes, previous);
  if (a == nullptr) {
    ui::QKE(c, "Brak dostępu do słownika operatorów SL_OPE !"_pl);
    return Outcome::Refused;
  }
  Outcome result = Outcome::WrongPassword;
  if (a->seek(rt::Value::character(scramble(password)), db::SeekMode::Exact)) {
    if (verifiesStamp(*a)) {
      setLoginValues(c, *a);
      result = Outcome::In;
    } else {
      ui::QKE(c, "Niedozwolona ingerencja w hasła i priorytety !"_pl);
      result = Outcome::Refused;
    }
  }
  closeOperators(c, a, previous);
  return result;
}

bool isServiceCode(ui::Context& c, const std::string& password) {
  const ServiceCodes codes = serviceCodes(c.con.time().now());
  return password == codes.first || password == codes.second;
}

}  // namespace

void setLoginValues(ui::Context& c, db::WorkArea& a) {
  const auto p = a.fieldIndex("PRIORYTET");
  const rt::Value pv = p ? a.value(*p) : rt::Value();
  const int priority = pv.isNumber() ? static_cast<int>(std::lround(pv.num())) : 0;
  const std::string flags = fieldText(a, "BIERNY");
  const std::string deskField = rightTrimmed(fieldText(a, "NR_KASY"));
  const std::string variant = c.text("_WERSJA");
  const bool desks = variant.size() >= 155 && variant[154] == 'K';
  setValues(c, ui::trimmed(fieldText(a, "KOD")), static_cast<int>(a.recno()), priority, fieldText(a, "NAZWA"),
            flags, desks && !deskField.empty() ? fieldText(a, "NR_KASY") : "01");
}

bool OPERATOR(ui::Context& c, const AccessSeams& seams) {
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    std::optional<std::string> typed;
    {
      ui::ModalBox box(c.con, {kBoxTop, kBoxLeft, kBoxBottom, kBoxRight}, "N/W");
      const std::string before = c.con.setColour("N/W");
      c.con.write(kBoxTop + 1, kEntryCol, "******");
      c.con.setColour(before);
      const con::CursorShape shape = c.con.setCursorShape(con::CursorShape::Normal);
      typed = readPassword(c, seams);
      c.con.setCursorShape(shape);
    }
    if (!typed) break;
    const std::string password = normalisePassword(*typed);
    if (isServiceCode(c, password)) {
      setValues(c, "(C)", 0, 10, std::string(20, ' '), "!", "01");
      return true;
    }
    const Outcome o = lookUp(c, password);
    if (o == Outcome::In) return true;
    c.setPublic("_NR_OPE", rt::Value::number(0));
    if (o == Outcome::Refused) return false;
    c.con.tone(200, 5);
    ui::QK(c, "Złe hasło operatora ! ("_pl + std::to_string(attempt) + ")", "N/W", 2);
  }
  c.setPublic("_NR_OPE", rt::Value::number(0));
  return false;
}

void DAJOPE(ui::Context& c) {
  std::string code = c.text("_OPERATOR").substr(0, 3);
  code.resize(3, ' ');
  c.con.writeCells(0, 76, code, c.con.attr(con::Slot::Standard));
}

}  // namespace operators
