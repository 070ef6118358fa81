// src/sys/clock.hpp — the one source of "today" and "now". The system clock is read only
// here. Tests and demonstrations fix it through the API or the environment variable
// ZELMORAN_TODAY=YYYYMMDD (the time of day then still runs from the real clock).
#pragma once

#include <optional>

namespace sys {

struct CivilTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual CivilTime now() const = 0;  // local time
};

// The real clock, optionally with the date fixed (from ZELMORAN_TODAY or fixDate).
class SystemClock final : public Clock {
 public:
  SystemClock();  // reads ZELMORAN_TODAY once
  CivilTime now() const override;
  void fixDate(int year, int month, int day) { fixed_ = CivilTime{year, month, day}; }

 private:
  std::optional<CivilTime> fixed_;
};

// A clock that stands still until moved: for tests.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(CivilTime t) : t_(t) {}
  CivilTime now() const override { return t_; }
  void set(CivilTime t) { t_ = t; }

 private:
  CivilTime t_;
};

// "YYYYMMDD" to a date; nullopt when it is not one.
std::optional<CivilTime> parseYmd(const char* text);

}  // namespace sys
