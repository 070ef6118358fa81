// src/access/stamp.cpp — the integrity stamp (see the header for its form).
#include "access/stamp.hpp"

#include <cmath>
#include <cstdio>

#include "access/scramble.hpp"
#include "rt/codepage.hpp"
#include <cstdlib>
#include "ui/qke.hpp"
#include "ui/table_checks.hpp"

namespace operators {
namespace {

using rt::literals::operator""_pl;

std::string trimmed(std::string s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

std::string rightTrimmed(std::string s) {
  const auto last = s.find_last_not_of(' ');
  s.resize(last == std::string::npos ? 0 : last + 1);
  return s;
}

// The identity of the current record: KOD, or the digits of a menu entry's OPCJA.
std::optional<std::string> identityOf(db::WorkArea& area) {
  if (auto i = area.fieldIndex("KOD")) {
    const rt::Value v = area.value(*i);
    return v.isText() ? std::optional<std::string>(trimmed(v.text())) : std::nullopt;
  }
  if (auto i = area.fieldIndex("OPCJA")) {
    const rt::Value v = area.value(*i);
    if (v.isNumber()) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.0f", std::trunc(v.num()));
      return std::string(buf);
    }
    if (v.isText()) return trimmed(v.text());
  }
  return std::nullopt;
}

}  // namespace

std::string stampOf(std::string_view identity, int priority) {
  std::string plain(identity.substr(0, 4));
  plain.resize(4, ' ');
  char digits[8];
  if (priority >= 0 && priority <= 99)
    std::snprintf(digits, sizeof digits, "%2d", priority);
  else
    std::snprintf(digits, sizeof digits, "**");  // does not fit: as str(n, 2) shows it
  plain += digits;
  return scramble(plain);
}

std::optional<std::string> expectedStamp(db::WorkArea& area) {
  if (!area.fieldIndex("TEST")) return std::nullopt;
  const auto p = area.fieldIndex("PRIORYTET");
  const auto identity = identityOf(area);
  if (!p || !identity) return std::nullopt;
  const rt::Value pv = area.value(*p);
  const int priority = pv.isNumber()   ? static_cast<int>(std::lround(pv.num()))
                       : pv.isText()   ? std::atoi(pv.text().c_str())
                                       : 0;
  return stampOf(*identity, priority);
}

bool verifiesStamp(db::WorkArea& area) {
  const auto t = area.fieldIndex("TEST");
  if (!t) return true;
  const auto expected = expectedStamp(area);
  if (!expected) return false;  // a TEST field but no fields to check it against
  const rt::Value stored = area.value(*t);
  return stored.isText() && rightTrimmed(stored.text()) == rightTrimmed(*expected);
}

base::Status writeStamp(db::WorkArea& area) {
  const auto expected = expectedStamp(area);
  if (!expected) return base::Status::ok();
  return area.replace("TEST", rt::Value::character(*expected));
}

bool SZYFR(ui::Context& c, int mode) {
  db::WorkArea* area = ui::currentTable(c, "SZYFR");
  if (area == nullptr) return false;
  if (mode == 1) {
    return writeStamp(*area).isOk();
  }
  if (verifiesStamp(*area)) return true;
  ui::QKE(c, "Niedozwolona ingerencja w hasła i priorytety !"_pl);
  return false;
}

}  // namespace operators
