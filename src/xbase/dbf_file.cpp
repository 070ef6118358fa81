// src/xbase/dbf_file.cpp — an open table: open and create, records, appends, locks, header.
#include "xbase/dbf_file.hpp"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "base/check.hpp"
#include "base/fault.hpp"
#include "sys/large_buffer.hpp"
#include "xbase/field_codec.hpp"
#include "xbase/lock_scheme.hpp"

namespace xbase {

namespace {

using base::Errc;
using base::Status;

// Exclusive appends are written in batches of about this many bytes (T4).
constexpr std::size_t kPendingBytes = 256 * 1024;

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string swapCase(std::string s) {
  for (char& c : s) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  return s;
}

bool hasMemoField(const std::vector<dbf::Field>& fields) {
  return std::any_of(fields.begin(), fields.end(), [](const dbf::Field& f) { return f.type == dbf::FieldType::Memo; });
}

sys::LockKind shareLockKind(Share s) { return s == Share::Exclusive ? sys::LockKind::Exclusive : sys::LockKind::Shared; }

// Opens `path` and takes its share lock; Errc::Locked when another open holds a conflicting one.
base::Result<std::unique_ptr<sys::File>> openShared(sys::Env& env, const std::string& path, sys::Access access,
                                                    sys::Creation creation, sys::LockKind kind) {
  auto f = env.open(path, access, creation);
  if (!f) return f.error();
  if (Status s = (*f)->lockWhole(kind, sys::Wait::No); !s) {
    if (s.is(Errc::Locked)) return Status(Errc::Locked, "in use by another station: " + path);
    return s;
  }
  return std::move(*f);
}

// Releases a lock on every way out of a block.
class RangeGuard {
 public:
  RangeGuard(sys::File& f, lock::Range r) : f_(f), r_(r) {}
  ~RangeGuard() { (void)f_.unlockRange(r_.offset, r_.length); }
  RangeGuard(const RangeGuard&) = delete;
  RangeGuard& operator=(const RangeGuard&) = delete;

 private:
  sys::File& f_;
  lock::Range r_;
};

}  // namespace

// T7: up to 32 MiB of records, each in the slot its number picks (a later record with the
// same slot replaces it). A record read right after its predecessor starts a read-ahead of
// the records that follow, so walks in record order make one read per block.
struct DbfFile::RecordCache {
  // A table that fits in kWholeBudget (with room for a tenth more records) gets a slot for
  // every record, and a miss reads the whole aligned block around the record, so a walk in
  // any order reads the file once. A larger table gets kBudget of slots and reads ahead only
  // when records come in sequence.
  static constexpr std::size_t kBudget = std::size_t{32} << 20, kWholeBudget = std::size_t{128} << 20,
                               kAheadBytes = 8192, kBlockBytes = 65536;
  RecordCache(std::size_t recordLength, std::uint32_t records)
      : length(recordLength),
        whole(wholeSlots(records) * recordLength <= kWholeBudget),
        slots(whole ? wholeSlots(records) : std::max<std::size_t>(kBudget / recordLength, 1)),
        ahead(std::max<std::size_t>((whole ? kBlockBytes : kAheadBytes) / recordLength, 1)),
        bytes(sys::makeLargeBuffer<std::byte>(slots * recordLength)), tags(slots, 0) {}
  static std::size_t wholeSlots(std::uint32_t records) {
    return std::max<std::size_t>(std::size_t{records} + records / 10, 4096);
  }
  std::byte* slot(std::uint32_t recno) { return bytes.get() + (recno % slots) * length; }
  bool holds(std::uint32_t recno) const { return tags[recno % slots] == recno; }
  void put(std::uint32_t recno, std::span<const std::byte> record) {
    std::copy(record.begin(), record.end(), slot(recno));
    tags[recno % slots] = recno;
  }
  std::size_t length;
  bool whole;
  std::size_t slots, ahead;
  sys::LargeBuffer<std::byte> bytes;
  std::vector<std::uint32_t> tags;  // the record each slot holds; 0: none
  std::uint32_t lastRead = 0;
  std::vector<std::byte> block;  // read-ahead buffer
};

std::string memoPathFor(const std::string& tablePath) {
  const std::size_t slash = tablePath.find_last_of('/');
  const std::size_t dot = tablePath.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return tablePath + ".DBT";
  const bool lower = dot + 1 < tablePath.size() && tablePath[dot + 1] >= 'a' && tablePath[dot + 1] <= 'z';
  return tablePath.substr(0, dot) + (lower ? ".dbt" : ".DBT");
}

base::Result<std::unique_ptr<DbfFile>> DbfFile::open(sys::Env& env, const sys::Clock& clock, const std::string& path,
                                                     Share share) {
  const auto access = share == Share::SharedReadOnly ? sys::Access::ReadOnly : sys::Access::ReadWrite;
  auto f = openShared(env, path, access, sys::Creation::OpenExisting, shareLockKind(share));
  if (!f) return f.error();
  std::unique_ptr<DbfFile> t(new DbfFile(path, share, clock, std::move(*f)));
  t->load();
  if (hasMemoField(t->fields_)) {
    std::string memo = memoPathFor(path);
    if (!env.exists(memo)) {
      const std::size_t dot = memo.find_last_of('.');
      memo = memo.substr(0, dot) + swapCase(memo.substr(dot));
    }
    auto m = openShared(env, memo, access, sys::Creation::OpenExisting, shareLockKind(share));
    if (!m) {
      if (m.error().is(Errc::NotFound)) return Status(Errc::NotFound, "memo file missing: " + memoPathFor(path));
      return m.error();
    }
    t->dbt_ = std::make_unique<DbtFile>(std::move(*m), t->shared() ? DbtFile::Locking::Shared : DbtFile::Locking::None);
  }
  return t;
}

base::Result<std::unique_ptr<DbfFile>> DbfFile::create(sys::Env& env, const sys::Clock& clock, const std::string& path,
                                                       const std::vector<dbf::FieldSpec>& specs) {
  auto fields = dbf::fieldsFromSpecs(specs);
  if (!fields) return fields.error();
  const bool memo = hasMemoField(*fields);
  // Both files are locked before either is cut, so a table in use elsewhere is left whole.
  auto f = openShared(env, path, sys::Access::ReadWrite, sys::Creation::OpenOrCreate, sys::LockKind::Exclusive);
  if (!f) return f.error();
  std::unique_ptr<sys::File> m;
  if (memo) {
    auto opened = openShared(env, memoPathFor(path), sys::Access::ReadWrite, sys::Creation::OpenOrCreate,
                             sys::LockKind::Exclusive);
    if (!opened) return opened.error();
    m = std::move(*opened);
  }
  std::unique_ptr<DbfFile> t(new DbfFile(path, Share::Exclusive, clock, std::move(*f)));
  const std::vector<std::byte> descriptors = dbf::encodeFields(*fields);
  t->header_.version = memo ? dbf::kVersionMemo : dbf::kVersionPlain;
  t->header_.headerLength = static_cast<std::uint16_t>(dbf::kHeaderSize + descriptors.size());
  t->header_.recordLength = dbf::layOutFields(*fields);
  t->fields_ = std::move(*fields);
  if (Status s = t->dbf_->truncate(0); !s) throw base::IoFault(path, s.message());
  t->writeHeader(0);
  t->write(dbf::kHeaderSize, descriptors);
  const std::array<std::byte, 1> eof{kEndOfFile};
  t->write(t->header_.headerLength, eof);
  if (m) {
    DbtFile::initialise(*m);
    t->dbt_ = std::make_unique<DbtFile>(std::move(m), DbtFile::Locking::None);
  }
  return t;
}

DbfFile::DbfFile(std::string path, Share share, const sys::Clock& clock, std::unique_ptr<sys::File> dbf)
    : path_(std::move(path)), share_(share), clock_(clock), dbf_(std::move(dbf)) {}

DbfFile::~DbfFile() {
  if (closed_) return;
  // A destructor cannot report: a caller that must know whether the last writes reached the
  // disk calls close() itself. The files are closed whatever happens here.
  try {
    close();
  } catch (const base::Fault&) {
  }
}

void DbfFile::load() {
  std::array<std::byte, dbf::kHeaderSize> head{};
  auto n = dbf_->readAt(0, head);
  if (!n) throw base::IoFault(path_, n.error().message());
  header_ = dbf::decodeHeader(std::span(head).first(*n), path_);
  std::vector<std::byte> area(header_.headerLength - dbf::kHeaderSize);
  auto m = dbf_->readAt(dbf::kHeaderSize, area);
  if (!m) throw base::IoFault(path_, m.error().message());
  if (*m < area.size()) throw base::Corrupt(path_, static_cast<std::int64_t>(dbf::kHeaderSize + *m), "file shorter than its header");
  fields_ = dbf::decodeFields(area, header_.recordLength, path_);
  count_ = countFromSize();
  if (header_.recordCount > count_)
    throw base::Corrupt(path_, dbf::off::kRecordCount, "file shorter than the record count in its header");
}

std::uint32_t DbfFile::countFromSize() {
  auto size = dbf_->size();
  if (!size) throw base::IoFault(path_, size.error().message());
  if (*size < header_.headerLength) throw base::Corrupt(path_, static_cast<std::int64_t>(*size), "file shorter than its header");
  return static_cast<std::uint32_t>((*size - header_.headerLength) / header_.recordLength);
}

std::uint32_t DbfFile::recordCount() {
  if (shared()) count_ = countFromSize();
  return count_;
}

std::uint64_t DbfFile::recordOffset(std::uint32_t recno) const {
  return header_.headerLength + std::uint64_t{recno - 1} * header_.recordLength;
}

std::optional<std::size_t> DbfFile::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const std::string& f = fields_[i].name;
    if (f.size() == name.size() && std::equal(f.begin(), f.end(), name.begin(), [](char a, char b) { return a == upper(b); }))
      return i;
  }
  return std::nullopt;
}

std::vector<std::byte> DbfFile::blankRecord() const { return std::vector<std::byte>(header_.recordLength, std::byte{' '}); }

bool DbfFile::readRecord(std::uint32_t recno, std::span<std::byte> out) {
  ZEL_CHECK(out.size() == header_.recordLength);
  if (recno == 0) return false;
  if (recno > count_ && (!shared() || recno > recordCount())) return false;
  if (!pending_.empty() && recno >= pendingFirst_) {
    const std::size_t at = std::size_t{recno - pendingFirst_} * header_.recordLength;
    std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(at), out.size(), out.begin());
    return true;
  }
  if (readCached(recno, out)) return true;
  auto n = dbf_->readAt(recordOffset(recno), out);
  if (!n) throw base::IoFault(path_, n.error().message());
  if (*n < out.size()) throw base::Corrupt(path_, static_cast<std::int64_t>(recordOffset(recno)), "record cut short");
  return true;
}

// T7. False: the record is not on disk yet (the caller finds it elsewhere).
bool DbfFile::readCached(std::uint32_t recno, std::span<std::byte> out) {
  if (shared()) return false;
  if (!cache_) cache_ = std::make_unique<RecordCache>(header_.recordLength, count_);
  RecordCache& c = *cache_;
  const std::uint32_t onDisk = pending_.empty() ? count_ : pendingFirst_ - 1;
  if (recno > onDisk) return false;
  if (!c.holds(recno)) {
    // The block read: the aligned block around the record when the whole table is cached,
    // the records from this one on when reading in sequence, else this record alone.
    std::uint32_t first = recno;
    std::size_t records = 1;
    if (c.whole) {
      first = static_cast<std::uint32_t>((recno - 1) / c.ahead * c.ahead + 1);
      records = std::min<std::size_t>(c.ahead, onDisk - first + 1);
    } else if (recno == c.lastRead + 1) {
      records = std::min<std::size_t>(c.ahead, onDisk - recno + 1);
    }
    c.block.resize(records * c.length);
    auto n = dbf_->readAt(recordOffset(first), c.block);
    if (!n) throw base::IoFault(path_, n.error().message());
    if (*n < std::size_t{recno - first + 1} * c.length)
      throw base::Corrupt(path_, static_cast<std::int64_t>(recordOffset(recno)), "record cut short");
    for (std::size_t i = 0; i < *n / c.length; ++i) {
      const auto r = static_cast<std::uint32_t>(first + i);
      // Writes reach the file as well as the cache, so the block is never older than a slot.
      c.put(r, std::span(c.block).subspan(i * c.length, c.length));
    }
  }
  c.lastRead = recno;
  std::copy_n(c.slot(recno), out.size(), out.begin());
  return true;
}

void DbfFile::updateCached(std::uint32_t recno, std::span<const std::byte> in) {
  if (cache_ && cache_->holds(recno)) cache_->put(recno, in);
}

std::uint32_t DbfFile::readRecords(std::uint32_t first, std::span<std::byte> out) {
  return readRecordsThrough(first, recordCount(), out);
}

std::uint32_t DbfFile::readRecordsThrough(std::uint32_t first, std::uint32_t last, std::span<std::byte> out) const {
  const std::size_t length = header_.recordLength;
  if (first == 0 || first > last) return 0;
  const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(out.size() / length, last - first + 1));
  // Exclusive appends not yet written are records pendingFirst_..count_, in memory.
  const std::uint32_t onDisk = pending_.empty() ? n : std::min(n, pendingFirst_ > first ? pendingFirst_ - first : 0u);
  if (onDisk > 0) {
    const auto want = out.first(std::size_t{onDisk} * length);
    auto got = dbf_->readAt(recordOffset(first), want);
    if (!got) throw base::IoFault(path_, got.error().message());
    if (*got < want.size()) throw base::Corrupt(path_, static_cast<std::int64_t>(recordOffset(first) + *got), "record cut short");
  }
  if (onDisk < n) {
    const std::size_t from = std::size_t{first + onDisk - pendingFirst_} * length;
    std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(from), std::size_t{n - onDisk} * length,
                out.begin() + static_cast<std::ptrdiff_t>(std::size_t{onDisk} * length));
  }
  return n;
}

base::Status DbfFile::writeRecord(std::uint32_t recno, std::span<const std::byte> in) {
  ZEL_CHECK(in.size() == header_.recordLength);
  if (!writable()) return Status(Errc::Refused, "table open read-only: " + path_);
  if (recno == 0 || (recno > count_ && recno > recordCount())) return Status(Errc::NotFound, "no record " + std::to_string(recno));
  if (shared() && !fileLocked_ && !recordLocks_.contains(recno))
    return Status(Errc::Refused, "record " + std::to_string(recno) + " not locked: " + path_);
  headerDirty_ = true;
  if (!pending_.empty() && recno >= pendingFirst_) {
    const std::size_t at = std::size_t{recno - pendingFirst_} * header_.recordLength;
    std::copy(in.begin(), in.end(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
    return Status::ok();
  }
  write(recordOffset(recno), in);
  updateCached(recno, in);
  return Status::ok();
}

base::Result<std::uint32_t> DbfFile::appendRecord(std::span<const std::byte> in) {
  ZEL_CHECK(in.size() == header_.recordLength);
  if (!writable()) return Status(Errc::Refused, "table open read-only: " + path_);
  const auto full = [&](std::uint32_t n) {
    return recordOffset(n + 1) + header_.recordLength > lock::kBase || n >= lock::kMaxLockableRecord;
  };
  if (!shared()) {
    if (full(count_)) return Status(Errc::Refused, "table full: " + path_);
    if (pending_.empty()) pendingFirst_ = count_ + 1;
    pending_.insert(pending_.end(), in.begin(), in.end());
    ++count_;
    headerDirty_ = true;
    if (pending_.size() >= kPendingBytes) flushPending();
    return count_;
  }
  if (Status s = lockRange(lock::kAppend.offset, lock::kAppend.length, sys::Wait::Yes); !s)
    throw base::IoFault(path_, "append lock: " + s.message());
  RangeGuard appendLock(*dbf_, lock::kAppend);
  const std::uint32_t recno = countFromSize() + 1;
  if (full(recno - 1)) return Status(Errc::Refused, "table full: " + path_);
  if (!fileLocked_) {
    if (Status s = lockRange(lock::record(recno).offset, 1, sys::Wait::No); !s) return s;
    recordLocks_.insert(recno);
  }
  std::vector<std::byte> bytes(in.begin(), in.end());
  bytes.push_back(kEndOfFile);
  write(recordOffset(recno), bytes);
  writeHeader(recno);
  count_ = recno;
  return recno;
}

void DbfFile::flushPending() {
  if (pending_.empty()) return;
  pending_.push_back(kEndOfFile);
  write(recordOffset(pendingFirst_), pending_);
  pending_.clear();
}

void DbfFile::writeHeader(std::uint32_t count) {
  const sys::CivilTime now = clock_.now();
  header_.recordCount = count;
  header_.updateYear = now.year;
  header_.updateMonth = now.month;
  header_.updateDay = now.day;
  dbf::encodeHeader(header_, header_.raw);
  write(0, header_.raw);
}

void DbfFile::finishFile() {
  const std::array<std::byte, 1> eof{kEndOfFile};
  if (!shared()) {
    flushPending();
    writeHeader(count_);
    write(recordOffset(count_ + 1), eof);
    if (Status s = dbf_->truncate(recordOffset(count_ + 1) + 1); !s) throw base::IoFault(path_, s.message());
  } else {
    if (Status s = lockRange(lock::kAppend.offset, lock::kAppend.length, sys::Wait::Yes); !s)
      throw base::IoFault(path_, "append lock: " + s.message());
    RangeGuard appendLock(*dbf_, lock::kAppend);
    count_ = countFromSize();
    writeHeader(count_);
    auto size = dbf_->size();
    if (size && *size == recordOffset(count_ + 1)) write(*size, eof);
  }
  headerDirty_ = false;
}

void DbfFile::commit() {
  if (closed_ || !writable()) return;
  flushPending();
  if (headerDirty_) finishFile();
  if (Status s = dbf_->sync(); !s) throw base::IoFault(path_, s.message());
  if (dbt_)
    if (Status s = dbt_->file().sync(); !s) throw base::IoFault(dbt_->file().path(), s.message());
}

void DbfFile::close() {
  if (closed_) return;
  closed_ = true;
  if (writable()) {
    flushPending();
    if (headerDirty_) finishFile();
  }
  unlockAll();
  (void)dbf_->unlockWhole();  // closing the file below releases it anyway
  if (dbt_) (void)dbt_->file().unlockWhole();
  dbt_.reset();
  dbf_.reset();
}

void DbfFile::write(std::uint64_t offset, std::span<const std::byte> data) {
  if (Status s = dbf_->writeAt(offset, data); !s) throw base::IoFault(path_, s.message());
}

base::Status DbfFile::lockRange(std::uint64_t offset, std::uint64_t length, sys::Wait wait) {
  Status s = dbf_->lockRange(offset, length, sys::LockKind::Exclusive, wait);
  if (s.is(Errc::Locked)) return Status(Errc::Locked, "locked by another station: " + path_);
  return s;
}

void DbfFile::unlockRange(std::uint64_t offset, std::uint64_t length) {
  if (Status s = dbf_->unlockRange(offset, length); !s) throw base::IoFault(path_, "unlock: " + s.message());
}

base::Status DbfFile::lockRecord(std::uint32_t recno) {
  if (recno == 0 || recno > lock::kMaxLockableRecord) return Status(Errc::Invalid, "no record " + std::to_string(recno));
  if (!shared() || fileLocked_ || recordLocks_.contains(recno)) return Status::ok();
  if (Status s = lockRange(lock::record(recno).offset, 1, sys::Wait::No); !s) return s;
  recordLocks_.insert(recno);
  return Status::ok();
}

void DbfFile::unlockRecord(std::uint32_t recno) {
  if (!recordLocks_.contains(recno)) return;
  recordLocks_.erase(recno);
  unlockRange(lock::record(recno).offset, 1);
}

base::Status DbfFile::lockFile() {
  if (fileLocked_) return Status::ok();
  while (!recordLocks_.empty()) unlockRecord(*recordLocks_.begin());
  if (shared())
    if (Status s = lockRange(lock::kFile.offset, lock::kFile.length, sys::Wait::No); !s) return s;
  fileLocked_ = true;
  return Status::ok();
}

void DbfFile::unlockFile() {
  if (!fileLocked_) return;
  fileLocked_ = false;
  if (shared()) unlockRange(lock::kFile.offset, lock::kFile.length);
}

void DbfFile::unlockAll() {
  while (!recordLocks_.empty()) unlockRecord(*recordLocks_.begin());
  unlockFile();
}

bool DbfFile::holdsRecordLock(std::uint32_t recno) const { return fileLocked_ || recordLocks_.contains(recno); }

std::span<const std::byte> DbfFile::raw(std::span<const std::byte> record, std::size_t field) const {
  const dbf::Field& f = fields_.at(field);
  return record.subspan(f.offset, f.length);
}

rt::Value DbfFile::value(std::span<const std::byte> record, std::size_t field) {
  const dbf::Field& f = fields_.at(field);
  if (f.type == dbf::FieldType::Memo) return rt::Value::memo(memoText(record, field));
  return decodeValue(f, raw(record, field));
}

std::string DbfFile::memoText(std::span<const std::byte> record, std::size_t field) {
  const dbf::Field& f = fields_.at(field);
  ZEL_CHECK(f.type == dbf::FieldType::Memo && dbt_);
  return dbt_->read(decodeMemoBlock(raw(record, field), path_, f.offset));
}

base::Status DbfFile::setMemoText(std::span<std::byte> record, std::size_t field, std::string_view text) {
  const dbf::Field& f = fields_.at(field);
  ZEL_CHECK(f.type == dbf::FieldType::Memo && dbt_);
  if (!writable()) return Status(Errc::Refused, "table open read-only: " + path_);
  const auto bytes = record.subspan(f.offset, f.length);
  auto block = dbt_->write(decodeMemoBlock(bytes, path_, f.offset), text);
  if (!block) return block.error();
  encodeMemoBlock(*block, bytes);
  return Status::ok();
}

base::Status DbfFile::setValue(std::span<std::byte> record, std::size_t field, const rt::Value& v) {
  const dbf::Field& f = fields_.at(field);
  if (f.type == dbf::FieldType::Memo) {
    if (!v.isText()) return Status(Errc::Invalid, "wrong type of value for field " + f.name);
    return setMemoText(record, field, v.text());
  }
  return encodeValue(f, v, record.subspan(f.offset, f.length));
}

}  // namespace xbase
