// src/sys/pause.hpp — the one way the program lets time pass without waiting for a key:
// retry loops that must not spin (a lock held by another station) pause here between tries.
#pragma once

#include <chrono>

namespace sys {

void pause(std::chrono::milliseconds d);

}  // namespace sys
