// src/base/check.hpp — ZEL_CHECK: an invariant that holds in every build. A broken one
// throws InternalFault (never aborts: the operation's block shows it and the program goes on).
#pragma once

#include "base/fault.hpp"

#define ZEL_CHECK(cond)                                                      \
  do {                                                                       \
    if (!(cond)) throw ::base::InternalFault("check failed: " #cond);       \
  } while (0)
