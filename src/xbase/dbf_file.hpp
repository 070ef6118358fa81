// src/xbase/dbf_file.hpp — an open table: its .dbf file, its .dbt memo file when it has memo
// fields, the share lock taken at open, record and whole-table locks, records in and out,
// appends, and the header's record count and last-update date.
// Not here: the current record, filters, orders and the phantom record (the work-area
// layer above), byte layouts (dbf_header, dbf_field, field_codec, dbt_file).
//
// Share modes: Shared (read/write, others may open too), SharedReadOnly (read only, others may
// open too) and Exclusive (nobody else may have it open). The share lock is taken on the .dbf
// and the .dbt alike; a conflict gives Errc::Locked.
//
// Rules:
//   T1  the record count is the number of whole records in the file: (size - header length)
//       div record length. Shared: recomputed from the file size every time it is asked for,
//       since other stations append. Exclusive: counted at open, then kept.
//   T2  an append in shared use holds the append lock while it counts, locks the new record,
//       writes it with 0x1A after it and rewrites the header with the new count and today's
//       date; the new record stays locked. Appends of several stations thus get consecutive
//       numbers and the header count never lags the file by more than a record being appended.
//   T3  in shared use a record is written only while this table holds its record lock or the
//       whole-table lock (Errc::Refused otherwise).
//   T4  exclusive appends are gathered in memory and written in batches; the header (count and
//       date) is rewritten at commit and close, followed by 0x1A and a truncation right after it.
//   T5  a record write marks the header for a new date, written at commit and close.
//   T7  in exclusive use (nobody else may write the file) records read from the file are
//       kept in a bounded cache: a table of up to about 128 MiB whole, read in aligned
//       blocks, a larger one in part. A record written goes to the file and to its cached
//       slot alike. Shared use reads every record from the file, since other stations
//       change them.
//   T6  a file whose header, descriptors or size break the format raises Corrupt naming the file
//       at open, before anything is written; a file shorter than the count in its header is
//       such a file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.hpp"
#include "rt/value.hpp"
#include "sys/clock.hpp"
#include "sys/env.hpp"
#include "xbase/dbf_field.hpp"
#include "xbase/dbf_header.hpp"
#include "xbase/dbt_file.hpp"

namespace xbase {

enum class Share { Shared, SharedReadOnly, Exclusive };

inline constexpr std::byte kLiveFlag{' '};
inline constexpr std::byte kDeletedFlag{'*'};
inline constexpr std::byte kEndOfFile{0x1A};

inline bool isDeleted(std::span<const std::byte> record) { return record[0] == kDeletedFlag; }
inline void setDeleted(std::span<std::byte> record, bool deleted) { record[0] = deleted ? kDeletedFlag : kLiveFlag; }

// The memo file that goes with a table: the extension replaced by DBT in the case of the
// table's own extension.
std::string memoPathFor(const std::string& tablePath);

class DbfFile {
 public:
  // Errc::NotFound (table or its memo file missing), Errc::Locked (share conflict). Throws
  // Corrupt for a malformed file.
  static base::Result<std::unique_ptr<DbfFile>> open(sys::Env& env, const sys::Clock& clock,
                                                     const std::string& path, Share share);
  // A new empty table (and memo file when a field is M), replacing any old one unless another
  // station has it open (Errc::Locked). The table stays open for exclusive use.
  static base::Result<std::unique_ptr<DbfFile>> create(sys::Env& env, const sys::Clock& clock,
                                                       const std::string& path,
                                                       const std::vector<dbf::FieldSpec>& fields);
  ~DbfFile();  // closes as close() does, but can report nothing: call close() to see failures
  DbfFile(const DbfFile&) = delete;
  DbfFile& operator=(const DbfFile&) = delete;

  // Writes what is pending and the header when it changed, releases every lock. Throws IoFault.
  void close();
  // Writes what is pending and the header when it changed, then syncs to disk. Throws IoFault.
  void commit();

  const std::string& path() const { return path_; }
  Share share() const { return share_; }
  const dbf::Header& header() const { return header_; }
  const std::vector<dbf::Field>& fields() const { return fields_; }
  std::optional<std::size_t> fieldIndex(std::string_view name) const;  // case-insensitive
  std::size_t recordLength() const { return header_.recordLength; }
  bool hasMemo() const { return dbt_ != nullptr; }

  std::uint32_t recordCount();  // T1
  std::vector<std::byte> blankRecord() const;

  // Reads record `recno` into out (REQUIRES: out.size() == recordLength()); false when there
  // is no such record. Throws IoFault.
  bool readRecord(std::uint32_t recno, std::span<std::byte> out);
  // Reads the records from `first` on into out, as many whole records as fit and exist
  // (bulk walks read a large block per call); returns how many. Throws IoFault.
  std::uint32_t readRecords(std::uint32_t first, std::span<std::byte> out);
  // The same for records up to `last` (at most the count a readRecords() call sees) without
  // looking at the file's size: only reads, so other threads may walk the table this way
  // at once while nothing changes it.
  std::uint32_t readRecordsThrough(std::uint32_t first, std::uint32_t last, std::span<std::byte> out) const;
  // Errc::Refused: read-only or not locked (T3); Errc::NotFound: no such record.
  base::Status writeRecord(std::uint32_t recno, std::span<const std::byte> in);
  // Appends `in` (T2, T4) and returns its number. Errc::Locked when another station holds
  // the new record's lock; Errc::Refused when read-only.
  base::Result<std::uint32_t> appendRecord(std::span<const std::byte> in);
  base::Result<std::uint32_t> appendBlank() { return appendRecord(blankRecord()); }

  // Locks: single tries, Errc::Locked when another station (or another open of this table in
  // this process) holds a conflicting one. Always granted in exclusive use.
  base::Status lockRecord(std::uint32_t recno);
  void unlockRecord(std::uint32_t recno);
  base::Status lockFile();  // releases this table's record locks first
  void unlockFile();
  void unlockAll();
  bool holdsRecordLock(std::uint32_t recno) const;
  bool holdsFileLock() const { return fileLocked_; }
  const std::set<std::uint32_t>& recordLocks() const { return recordLocks_; }

  // Field values of a record buffer. A memo field reads its text from the memo file.
  rt::Value value(std::span<const std::byte> record, std::size_t field);
  std::span<const std::byte> raw(std::span<const std::byte> record, std::size_t field) const;
  // Stores `v` in the buffer; a memo field's text goes to the memo file at once and the buffer
  // gets its block number. Errc::Invalid: wrong type, or a number too wide (the field then
  // holds '*'), or memo text holding 0x1A; Errc::Refused when read-only.
  base::Status setValue(std::span<std::byte> record, std::size_t field, const rt::Value& v);
  std::string memoText(std::span<const std::byte> record, std::size_t field);
  base::Status setMemoText(std::span<std::byte> record, std::size_t field, std::string_view text);

 private:
  DbfFile(std::string path, Share share, const sys::Clock& clock, std::unique_ptr<sys::File> dbf);
  void load();  // header, descriptors, count; throws Corrupt
  std::uint32_t countFromSize();
  std::uint64_t recordOffset(std::uint32_t recno) const;
  void writeHeader(std::uint32_t count);
  void flushPending();
  void finishFile();  // header, 0x1A and truncation at commit/close
  void write(std::uint64_t offset, std::span<const std::byte> data);
  base::Status lockRange(std::uint64_t offset, std::uint64_t length, sys::Wait wait);
  void unlockRange(std::uint64_t offset, std::uint64_t length);
  bool writable() const { return share_ != Share::SharedReadOnly; }
  bool shared() const { return share_ != Share::Exclusive; }

  std::string path_;
  Share share_;
  const sys::Clock& clock_;
  std::unique_ptr<sys::File> dbf_;
  std::unique_ptr<DbtFile> dbt_;
  dbf::Header header_;
  std::vector<dbf::Field> fields_;
  std::uint32_t count_ = 0;
  bool headerDirty_ = false;
  bool closed_ = false;
  std::set<std::uint32_t> recordLocks_;
  bool fileLocked_ = false;
  struct RecordCache;
  std::unique_ptr<RecordCache> cache_;  // T7, exclusive use only
  bool readCached(std::uint32_t recno, std::span<std::byte> out);
  void updateCached(std::uint32_t recno, std::span<const std::byte> in);
  std::vector<std::byte> pending_;  // exclusive appends not yet written, records count_-n+1..count_
  std::uint32_t pendingFirst_ = 0;
};

}  // namespace xbase
