// tests/xbase/xbase_testing.hpp — helpers shared by the table file tests.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "testkit/temp_dir.hpp"

namespace xbase_testing {

inline std::vector<std::byte> bytesOf(std::string_view s) {
  std::vector<std::byte> v(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) v[i] = std::byte(static_cast<unsigned char>(s[i]));
  return v;
}

inline std::string textOf(std::span<const std::byte> b) { return std::string(reinterpret_cast<const char*>(b.data()), b.size()); }

inline std::vector<std::byte> readBytes(const std::filesystem::path& p) { return bytesOf(testkit::readFile(p)); }

inline void writeBytes(const std::filesystem::path& p, std::span<const std::byte> b) {
  FILE* f = std::fopen(p.c_str(), "wb");
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

inline const char* const kFixtureTables[] = {"ORDERS", "ALLTYPES", "BIG", "BIGINC"};

}  // namespace xbase_testing
