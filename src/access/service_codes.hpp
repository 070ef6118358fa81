// src/access/service_codes.hpp — the two six-digit service codes of the day. Both change
// every day and are worked out from the date alone, so the service can tell them over the
// telephone; the first opens the login and the level-0 special password, the second the
// special passwords of the higher levels.
#pragma once

#include <string>

#include "sys/clock.hpp"

namespace operators {

struct ServiceCodes {
  std::string first, second;  // six digits each
};

// The codes for the date of `now` (its time of day plays no part).
ServiceCodes serviceCodes(const sys::CivilTime& now);

}  // namespace operators
