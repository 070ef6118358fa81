// tests/fuzz/dbt_fuzz.cpp — a memo file of arbitrary bytes: the next-free header, memos read
// from every block, block numbers decoded from record bytes, and a rewrite of one memo.
// Corrupt, IoFault and Errc values are the expected outcomes; anything else is a bug.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/fault.hpp"
#include "sys/posix_env.hpp"
#include "xbase/dbt_file.hpp"
#include "xbase/field_codec.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/zelfuzz-" + std::to_string(getpid()) + ".dbt";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  const auto bytes = std::span(reinterpret_cast<const std::byte*>(data), size);
  try {
    if (size >= 10) (void)xbase::decodeMemoBlock(bytes.first(10), path, 0);
  } catch (const base::Corrupt&) {
  }
  sys::PosixEnv env;
  auto f = env.open(path, sys::Access::ReadWrite);
  if (!f) return 0;
  xbase::DbtFile dbt(std::move(*f), xbase::DbtFile::Locking::Shared);
  try {
    const std::uint32_t blocks = static_cast<std::uint32_t>(size / xbase::kMemoBlockSize + 1);
    for (std::uint32_t b = 1; b <= blocks; ++b) (void)dbt.read(b);
    const std::uint32_t old = size > 0 ? data[0] % (blocks + 1) : 0;
    const std::string text(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 1500));
    (void)dbt.write(old, text);
  } catch (const base::Fault&) {
  }
  return 0;
}
