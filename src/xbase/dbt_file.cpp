// src/xbase/dbt_file.cpp — memo blocks: read, allocate, rewrite.
#include "xbase/dbt_file.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "base/bytes.hpp"
#include "base/fault.hpp"
#include "xbase/lock_scheme.hpp"

namespace xbase {

namespace {

constexpr std::byte kEnd{0x1A};
// A memo never legitimately runs this long; past it a missing terminator is corruption.
constexpr std::size_t kMaxMemoLength = 64u << 20;

std::uint32_t blocksFor(std::size_t length) { return static_cast<std::uint32_t>(length / kMemoBlockSize + 1); }

// Releases the memo lock on every way out of an allocation.
class MemoLock {
 public:
  MemoLock(sys::File& f, bool take) : f_(take ? &f : nullptr) {
    if (!f_) return;
    base::Status s = f_->lockRange(lock::kMemo.offset, lock::kMemo.length, sys::LockKind::Exclusive, sys::Wait::Yes);
    if (!s) throw base::IoFault(f_->path(), "memo lock: " + s.message());
  }
  ~MemoLock() {
    if (f_) (void)f_->unlockRange(lock::kMemo.offset, lock::kMemo.length);
  }
  MemoLock(const MemoLock&) = delete;
  MemoLock& operator=(const MemoLock&) = delete;

 private:
  sys::File* f_;
};

}  // namespace

namespace dbt {

std::uint32_t decodeNextFree(std::span<const std::byte> header, const std::string& file) {
  if (header.size() < 4) throw base::Corrupt(file, 0, "memo file shorter than its header");
  const std::uint32_t next = base::loadU32le(header.data() + kNextFreeOffset);
  if (next == 0) throw base::Corrupt(file, 0, "memo file's next free block is 0");
  return next;
}

void encodeNextFree(std::uint32_t next, std::span<std::byte, 4> out) { base::storeU32le(out.data(), next); }

std::array<std::byte, kMemoBlockSize> newFileHeader() {
  std::array<std::byte, kMemoBlockSize> h{};
  base::storeU32le(h.data() + kNextFreeOffset, 1);
  base::storeU32le(h.data() + kBlockSizeOffset, kMemoBlockSize);
  return h;
}

}  // namespace dbt

void DbtFile::initialise(sys::File& file) {
  const auto h = dbt::newFileHeader();
  if (base::Status s = file.truncate(0); !s) throw base::IoFault(file.path(), s.message());
  if (base::Status s = file.writeAt(0, h); !s) throw base::IoFault(file.path(), s.message());
}

std::uint32_t DbtFile::readNextFree() {
  std::array<std::byte, 4> b{};
  auto n = file_->readAt(dbt::kNextFreeOffset, b);
  if (!n) throw base::IoFault(file_->path(), n.error().message());
  return dbt::decodeNextFree(std::span(b).first(*n), file_->path());
}

std::string DbtFile::read(std::uint32_t block) {
  if (block == 0) return {};
  auto size = file_->size();
  if (!size) throw base::IoFault(file_->path(), size.error().message());
  std::uint64_t at = std::uint64_t{block} * kMemoBlockSize;
  if (at >= *size) throw base::Corrupt(file_->path(), static_cast<std::int64_t>(at), "memo block past the end of the file");
  std::string text;
  std::array<std::byte, kMemoBlockSize> buf;
  for (;;) {
    auto n = file_->readAt(at, buf);
    if (!n) throw base::IoFault(file_->path(), n.error().message());
    const auto got = std::span(buf).first(*n);
    const auto end = std::find(got.begin(), got.end(), kEnd);
    text.append(reinterpret_cast<const char*>(got.data()), static_cast<std::size_t>(end - got.begin()));
    if (end != got.end() || *n < buf.size()) return text;  // terminator, or the file ends without one
    if (text.size() > kMaxMemoLength)
      throw base::Corrupt(file_->path(), static_cast<std::int64_t>(block) * kMemoBlockSize, "memo without terminator");
    at += *n;
  }
}

std::size_t DbtFile::memoLength(std::uint32_t block) { return read(block).size(); }

void DbtFile::writeAt(std::uint64_t offset, std::span<const std::byte> data) {
  if (base::Status s = file_->writeAt(offset, data); !s) throw base::IoFault(file_->path(), s.message());
}

base::Result<std::uint32_t> DbtFile::write(std::uint32_t oldBlock, std::string_view text) {
  if (text.empty()) return std::uint32_t{0};
  if (text.find('\x1A') != std::string_view::npos)
    return base::Status(base::Errc::Invalid, "memo text may not contain the byte 0x1A");
  std::vector<std::byte> bytes(text.size() + 2);
  std::transform(text.begin(), text.end(), bytes.begin(), [](char c) { return std::byte(static_cast<unsigned char>(c)); });
  bytes[text.size()] = bytes[text.size() + 1] = kEnd;
  const std::uint32_t need = blocksFor(text.size());

  MemoLock guard(*file_, locking_ == Locking::Shared);
  const std::uint32_t nextFree = readNextFree();
  if (oldBlock != 0 && oldBlock < nextFree) {
    const std::uint32_t oldBlocks = blocksFor(memoLength(oldBlock));
    const std::uint64_t at = std::uint64_t{oldBlock} * kMemoBlockSize;
    if (need <= oldBlocks) {  // M3: in place, never past the old blocks
      writeAt(at, std::span(bytes).first(std::min<std::size_t>(bytes.size(), std::size_t{oldBlocks} * kMemoBlockSize)));
      return oldBlock;
    }
    if (oldBlock + oldBlocks >= nextFree) {  // the last memo of the file grows in place
      writeAt(at, bytes);
      std::array<std::byte, 4> h;
      dbt::encodeNextFree(oldBlock + need, h);
      writeAt(dbt::kNextFreeOffset, h);
      return oldBlock;
    }
  }
  writeAt(std::uint64_t{nextFree} * kMemoBlockSize, bytes);
  std::array<std::byte, 4> h;
  dbt::encodeNextFree(nextFree + need, h);
  writeAt(dbt::kNextFreeOffset, h);
  return nextFree;
}

}  // namespace xbase
