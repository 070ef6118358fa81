// src/access/service_codes.cpp — the codes of the day. The date is written as the number
// DDMMYY; the first code is that number times 7919, the second times 104729 plus the
// day of the month, each taken modulo 1,000,000 and shown as six digits.
#include "access/service_codes.hpp"

#include <cstdio>

namespace operators {
namespace {

std::string sixDigits(long long n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06lld", n % 1000000);
  return buf;
}

}  // namespace

ServiceCodes serviceCodes(const sys::CivilTime& now) {
  const long long ddmmyy = now.day * 10000LL + now.month * 100LL + now.year % 100;
  return {sixDigits(ddmmyy * 7919), sixDigits(ddmmyy * 104729 + now.day)};
}

}  // namespace operators
