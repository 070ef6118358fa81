// src/sys/clock.cpp — the system clock, read through localtime_r.
#include "sys/clock.hpp"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace sys {

std::optional<CivilTime> parseYmd(const char* text) {
  if (text == nullptr || std::strlen(text) != 8) return std::nullopt;
  int v = 0;
  for (int i = 0; i < 8; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    v = v * 10 + (text[i] - '0');
  }
  CivilTime t{v / 10000, v / 100 % 100, v % 100};
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.year < 1) return std::nullopt;
  return t;
}

SystemClock::SystemClock() {
  if (const char* s = std::getenv("ZELMORAN_TODAY")) fixed_ = parseYmd(s);
}

CivilTime SystemClock::now() const {
  const auto tp = std::chrono::system_clock::now();
  const std::time_t secs = std::chrono::system_clock::to_time_t(tp);
  std::tm tm{};
  localtime_r(&secs, &tm);
  CivilTime t{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
              static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   tp.time_since_epoch()).count() % 1000)};
  if (fixed_) {
    t.year = fixed_->year;
    t.month = fixed_->month;
    t.day = fixed_->day;
  }
  return t;
}

}  // namespace sys
