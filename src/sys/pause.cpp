// src/sys/pause.cpp — a plain sleep of the calling thread.
#include "sys/pause.hpp"

#include <thread>

namespace sys {

void pause(std::chrono::milliseconds d) { std::this_thread::sleep_for(d); }

}  // namespace sys
