// tests/fuzz/dbf_fuzz.cpp — a table file of arbitrary bytes: open, read every record and every
// field value. Corrupt and IoFault are the expected outcomes for bad input; anything else
// (a crash, a sanitizer report, another exception) is a bug.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/fault.hpp"
#include "sys/clock.hpp"
#include "sys/posix_env.hpp"
#include "xbase/dbf_file.hpp"
#include "xbase/field_codec.hpp"

namespace {

std::string scratchPath(const char* ext) {
  const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(dir) + "/zelfuzz-" + std::to_string(getpid()) + ext;
}

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = scratchPath(".dbf");
  writeFile(path, data, size);
  sys::PosixEnv env;
  sys::FixedClock clock({2026, 1, 1});
  try {
    auto t = xbase::DbfFile::open(env, clock, path, xbase::Share::SharedReadOnly);
    if (!t) return 0;  // e.g. a memo field without a memo file
    std::vector<std::byte> rec((*t)->recordLength());
    for (std::uint32_t r = 1; r <= 1000 && (*t)->readRecord(r, rec); ++r) {
      (void)xbase::isDeleted(rec);
      for (std::size_t i = 0; i < (*t)->fields().size(); ++i) {
        if ((*t)->fields()[i].type == xbase::dbf::FieldType::Memo) continue;
        const rt::Value v = (*t)->value(rec, i);
        std::vector<std::byte> out((*t)->fields()[i].length);
        (void)xbase::encodeValue((*t)->fields()[i], v, out);
      }
    }
  } catch (const base::Fault&) {
  }
  return 0;
}
