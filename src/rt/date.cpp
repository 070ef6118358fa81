// src/rt/date.cpp — Julian day numbers from and to calendar dates (proleptic Gregorian).
#include "rt/date.hpp"

namespace rt {

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12) return 0;
  return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

Date Date::fromYmd(int y, int m, int d) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return Date();
  // Fliegel and Van Flandern's conversion, valid for all positive Julian day numbers.
  const long a = (14 - m) / 12;
  const long yy = y + 4800 - a;
  const long mm = m + 12 * a - 3;
  const long jdn = d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
  return Date(static_cast<std::int32_t>(jdn));
}

Date Date::fromDtos(std::string_view s) {
  if (s.size() < 8) return Date();
  int v[3] = {0, 0, 0};
  const int widths[3] = {4, 2, 2};
  std::size_t pos = 0;
  for (int part = 0; part < 3; ++part) {
    for (int i = 0; i < widths[part]; ++i, ++pos) {
      const char c = s[pos];
      if (c < '0' || c > '9') return Date();
      v[part] = v[part] * 10 + (c - '0');
    }
  }
  return fromYmd(v[0], v[1], v[2]);
}

Ymd Date::ymd() const {
  if (empty()) return {};
  long a = day_ + 32044;
  const long b = (4 * a + 3) / 146097;
  const long c = a - 146097 * b / 4;
  const long d = (4 * c + 3) / 1461;
  const long e = c - 1461 * d / 4;
  const long m = (5 * e + 2) / 153;
  Ymd r;
  r.day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
  r.month = static_cast<int>(m + 3 - 12 * (m / 10));
  r.year = static_cast<int>(100 * b + d - 4800 + m / 10);
  return r;
}

int Date::dayOfWeek() const {
  if (empty()) return 0;
  return static_cast<int>((day_ + 1) % 7) + 1;  // JDN 0 was a Monday; Sunday = 1
}

std::string Date::dtos() const {
  if (empty()) return std::string(8, ' ');
  const Ymd v = ymd();
  char buf[9];
  int n = v.year * 10000 + v.month * 100 + v.day;
  for (int i = 7; i >= 0; --i, n /= 10) buf[i] = static_cast<char>('0' + n % 10);
  return std::string(buf, 8);
}

}  // namespace rt
