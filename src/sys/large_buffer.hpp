// src/sys/large_buffer.hpp — uninitialised memory for buffers of many megabytes (sort runs,
// record caches), asked of the system in huge pages where it offers them, so that filling
// the buffer costs a page fault per 2 MiB rather than per 4 KiB.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>

namespace sys {

struct LargeBufferFree {
  std::size_t bytes = 0;
  void operator()(void* p) const noexcept;
};

// `count` uninitialised T (trivially constructible types only); never null.
template <class T>
using LargeBuffer = std::unique_ptr<T[], LargeBufferFree>;

void* allocateLarge(std::size_t bytes);

template <class T>
LargeBuffer<T> makeLargeBuffer(std::size_t count) {
  static_assert(std::is_trivially_default_constructible_v<T>);
  const std::size_t bytes = count * sizeof(T);
  return LargeBuffer<T>(static_cast<T*>(allocateLarge(bytes)), LargeBufferFree{bytes});
}

}  // namespace sys
