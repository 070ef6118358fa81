// src/rt/date_text.cpp — DTOC and CTOD under a date layout and epoch; month and day names.
#include "rt/date_text.hpp"

#include <array>

#include "rt/codepage.hpp"

namespace rt {
namespace {

char letterOf(char c) {
  switch (c) {
    case 'd': case 'D': return 'd';
    case 'm': case 'M': return 'm';
    case 'y': case 'Y': return 'y';
    default: return 0;
  }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Writes `v` into `out` as exactly `width` digits, keeping the lowest ones.
void putDigits(std::string& out, int v, std::size_t width) {
  std::string digits(width, '0');
  for (std::size_t i = width; i-- > 0; v /= 10) digits[i] = static_cast<char>('0' + v % 10);
  out += digits;
}

// The order in which d, m and y first appear in the layout; day-month-year when one is missing.
std::array<char, 3> fieldOrder(std::string_view layout) {
  std::array<char, 3> order{};
  std::size_t n = 0;
  for (char c : layout) {
    const char l = letterOf(c);
    if (l == 0) continue;
    bool seen = false;
    for (std::size_t i = 0; i < n; ++i) seen = seen || order[i] == l;
    if (!seen && n < order.size()) order[n++] = l;
  }
  if (n < 3) return {'d', 'm', 'y'};
  return order;
}

struct Group {
  int value = 0;
  int digits = 0;
};

constexpr int kMaxGroupDigits = 9;  // more cannot be a day, month or year; also keeps int safe

}  // namespace

int expandYear(int y, int epoch) {
  const int century = epoch / 100 * 100;
  return y >= epoch % 100 ? century + y : century + 100 + y;
}

std::string dtoc(Date d, std::string_view layout) {
  const Ymd v = d.ymd();
  std::string out;
  out.reserve(layout.size());
  for (std::size_t i = 0; i < layout.size();) {
    const char l = letterOf(layout[i]);
    if (l == 0) {
      out += layout[i++];
      continue;
    }
    std::size_t run = 1;
    while (i + run < layout.size() && letterOf(layout[i + run]) == l) ++run;
    i += run;
    if (d.empty()) {
      out.append(run, ' ');
      continue;
    }
    putDigits(out, l == 'd' ? v.day : l == 'm' ? v.month : v.year, run);
  }
  return out;
}

std::string dtoc(Date d, const Settings& s) { return dtoc(d, s.dateFormat); }

Date ctod(std::string_view text, std::string_view layout, int epoch) {
  Group groups[3];
  int found = 0;
  for (std::size_t i = 0; i < text.size() && found < 3;) {
    if (!isDigit(text[i])) {
      ++i;
      continue;
    }
    Group& g = groups[found++];
    for (; i < text.size() && isDigit(text[i]); ++i) {
      if (++g.digits > kMaxGroupDigits) return Date();
      g.value = g.value * 10 + (text[i] - '0');
    }
  }
  if (found < 3) return Date();
  const std::array<char, 3> order = fieldOrder(layout);
  int day = 0, month = 0, year = 0;
  for (int k = 0; k < 3; ++k) {
    const Group& g = groups[k];
    switch (order[k]) {
      case 'd': day = g.value; break;
      case 'm': month = g.value; break;
      default: year = g.digits <= 2 ? expandYear(g.value, epoch) : g.value; break;
    }
  }
  return Date::fromYmd(year, month, day);
}

Date ctod(std::string_view text, const Settings& s) { return ctod(text, s.dateFormat, s.epoch); }

std::string britishLayout(std::string_view layout) {
  std::size_t years = 0;
  for (char c : layout) years += letterOf(c) == 'y' ? 1 : 0;
  return years >= 4 ? "dd/mm/yyyy" : "dd/mm/yy";
}

std::string monthName(int month) {
  using namespace literals;
  static const std::array<std::string, 12> kNames = {
      "Styczeń"_pl, "Luty"_pl,     "Marzec"_pl,      "Kwiecień"_pl, "Maj"_pl,      "Czerwiec"_pl,
      "Lipiec"_pl,  "Sierpień"_pl, "Wrzesień"_pl,    "Październik"_pl, "Listopad"_pl, "Grudzień"_pl};
  return month >= 1 && month <= 12 ? kNames[month - 1] : std::string();
}

std::string dayName(int dayOfWeek) {
  using namespace literals;
  static const std::array<std::string, 7> kNames = {"Niedziela"_pl, "Poniedziałek"_pl, "Wtorek"_pl,
                                                    "Środa"_pl,     "Czwartek"_pl,     "Piątek"_pl,
                                                    "Sobota"_pl};
  return dayOfWeek >= 1 && dayOfWeek <= 7 ? kNames[dayOfWeek - 1] : std::string();
}

}  // namespace rt
