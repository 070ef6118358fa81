// src/base/bytes.hpp — little-endian integers in byte buffers, the only way codecs touch them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace base {

inline std::uint16_t loadU16le(const std::byte* p) {
  return static_cast<std::uint16_t>(std::to_integer<unsigned>(p[0]) | (std::to_integer<unsigned>(p[1]) << 8));
}
inline std::uint32_t loadU32le(const std::byte* p) {
  return std::to_integer<std::uint32_t>(p[0]) | (std::to_integer<std::uint32_t>(p[1]) << 8) |
         (std::to_integer<std::uint32_t>(p[2]) << 16) | (std::to_integer<std::uint32_t>(p[3]) << 24);
}
inline std::uint32_t loadU32be(const std::byte* p) {
  return (std::to_integer<std::uint32_t>(p[0]) << 24) | (std::to_integer<std::uint32_t>(p[1]) << 16) |
         (std::to_integer<std::uint32_t>(p[2]) << 8) | std::to_integer<std::uint32_t>(p[3]);
}
inline double loadF64le(const std::byte* p) {
  std::uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = (u << 8) | std::to_integer<std::uint64_t>(p[i]);
  double d;
  std::memcpy(&d, &u, sizeof d);
  return d;
}
inline void storeU16le(std::byte* p, std::uint16_t v) {
  p[0] = std::byte(v & 0xFF);
  p[1] = std::byte(v >> 8);
}
inline void storeU32le(std::byte* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::byte((v >> (8 * i)) & 0xFF);
}
inline void storeU32be(std::byte* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::byte((v >> (8 * (3 - i))) & 0xFF);
}
inline void storeF64le(std::byte* p, double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  for (int i = 0; i < 8; ++i) p[i] = std::byte((u >> (8 * i)) & 0xFF);
}

}  // namespace base
