// tests/fuzz/ntx_fuzz.cpp — arbitrary bytes as an NTX index: open, walk both ways, seek,
// check, insert and delete. Malformed input must end in a Fault, never a crash or a hang.
// The first byte chooses whether the input is a whole file or key pages under a sound
// header (so that most inputs get past the header checks). Real index files make good
// seeds: a byte 0x01 followed by a small .NTX file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/bytes.hpp"
#include "base/fault.hpp"
#include "xbase/ntx_file.hpp"
#include "xbase/ntx_header.hpp"

namespace {

class Bytes final : public sys::File {
 public:
  explicit Bytes(std::vector<std::byte> b) : b_(std::move(b)) {}
  const std::string& path() const override { return path_; }
  base::Result<std::size_t> readAt(std::uint64_t off, std::span<std::byte> out) override {
    if (off >= b_.size()) return std::size_t{0};
    const std::size_t n = std::min<std::size_t>(out.size(), b_.size() - off);
    std::copy_n(b_.begin() + static_cast<std::ptrdiff_t>(off), n, out.begin());
    return n;
  }
  base::Status writeAt(std::uint64_t off, std::span<const std::byte> d) override {
    if (off + d.size() > (std::uint64_t{1} << 24)) return base::Status(base::Errc::Io, "too large");
    if (b_.size() < off + d.size()) b_.resize(off + d.size());
    std::copy(d.begin(), d.end(), b_.begin() + static_cast<std::ptrdiff_t>(off));
    return base::Status::ok();
  }
  base::Result<std::uint64_t> size() override { return std::uint64_t{b_.size()}; }
  base::Status truncate(std::uint64_t s) override {
    b_.resize(s);
    return base::Status::ok();
  }
  base::Status sync() override { return base::Status::ok(); }
  base::Status lockRange(std::uint64_t, std::uint64_t, sys::LockKind, sys::Wait) override { return base::Status::ok(); }
  base::Status unlockRange(std::uint64_t, std::uint64_t) override { return base::Status::ok(); }
  base::Status lockWhole(sys::LockKind, sys::Wait) override { return base::Status::ok(); }
  base::Status unlockWhole() override { return base::Status::ok(); }

 private:
  std::vector<std::byte> b_;
  std::string path_ = "fuzz.ntx";
};

std::vector<std::byte> fileFrom(const std::uint8_t* data, std::size_t size) {
  std::vector<std::byte> out;
  if (size == 0) return out;
  const bool whole = data[0] & 1;
  ++data;
  --size;
  if (!whole) {
    const std::uint16_t keySize = static_cast<std::uint16_t>(1 + (size > 0 ? data[0] % 64 : 9));
    xbase::ntx::Header h = xbase::ntx::newHeader("K", "", keySize, 0, size > 1 && (data[1] & 1),
                                                size > 1 && (data[1] & 2));
    h.root = 1024;
    out.resize(1024);
    xbase::ntx::encodeHeader(h, std::span<std::byte, 1024>(out.data(), 1024));
  }
  for (std::size_t i = 0; i < size; ++i) out.push_back(static_cast<std::byte>(data[i]));
  return out;
}

void exercise(xbase::NtxFile& f) {
  const std::size_t ks = f.keySize();
  xbase::NtxCursor c;
  int steps = 0;
  for (bool on = f.top(c); on && steps < 5000; on = f.next(c)) ++steps;
  steps = 0;
  for (bool on = f.bottom(c); on && steps < 5000; on = f.prev(c)) ++steps;
  for (const char* probe : {"", "A", "zz", "\x80"}) (void)f.seek(c, probe);
  try {
    (void)f.checkInvariants();
  } catch (const base::Fault&) {
  }
  for (std::uint32_t r = 1; r <= 64; ++r) {
    std::string key(ks, static_cast<char>('A' + r % 26));
    (void)f.insert(key, r);
    if (r % 3 == 0) (void)f.remove(key, r - 1);
  }
  (void)f.checkInvariants();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    auto f = xbase::NtxFile::adopt(std::make_unique<Bytes>(fileFrom(data, size)), xbase::NtxUse::Exclusive);
    exercise(*f);
  } catch (const base::Fault&) {
    // Corrupt, IoFault or a broken check: the expected ends for malformed input.
  }
  return 0;
}
