// src/sys/large_buffer.cpp — anonymous mappings with the huge-page advice.
#include "sys/large_buffer.hpp"

#include <sys/mman.h>

#include <new>

namespace sys {

void* allocateLarge(std::size_t bytes) {
  if (bytes == 0) bytes = 1;
  void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  // Advice only: a kernel without huge pages keeps small ones.
  (void)::madvise(p, bytes, MADV_HUGEPAGE);
  return p;
}

void LargeBufferFree::operator()(void* p) const noexcept {
  if (p != nullptr) ::munmap(p, bytes == 0 ? 1 : bytes);
}

}  // namespace sys
