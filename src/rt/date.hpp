// src/rt/date.hpp — a calendar date as the runtime keeps it: a Julian day number,
// 0 being the empty date. The empty date is smaller than every real date.
// Text forms (DTOC, CTOD with the date layout and epoch) live in date_text.hpp.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace rt {

struct Ymd {
  int year = 0, month = 0, day = 0;
};

class Date {
 public:
  constexpr Date() = default;
  constexpr explicit Date(std::int32_t julianDay) : day_(julianDay) {}
  // A date from its parts; an impossible one (month 13, 31 February) gives the empty date.
  static Date fromYmd(int year, int month, int day);
  // "YYYYMMDD" as DTOS writes it; blanks or anything unreadable give the empty date.
  static Date fromDtos(std::string_view s);

  constexpr bool empty() const { return day_ == 0; }
  constexpr std::int32_t julianDay() const { return day_; }
  Ymd ymd() const;                    // {0,0,0} for the empty date
  int dayOfWeek() const;              // 1 = Sunday ... 7 = Saturday; 0 for the empty date
  std::string dtos() const;           // "YYYYMMDD", 8 blanks when empty

  constexpr auto operator<=>(const Date&) const = default;

 private:
  std::int32_t day_ = 0;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);

}  // namespace rt
