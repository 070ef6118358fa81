// src/db/order.hpp — one open index of a work area: its NTX file bound to its compiled key
// and FOR expressions, and how key values become index bytes.
// Not here: walking and maintaining the order as records move and change (work_area.cpp),
// building a new index from a table (bulk_index.cpp), the tree itself (xbase/ntx_file.hpp).
//
// Key bytes by the type of the key value: C cut or blank-padded to the key size, N as the
// numeric key of the index's size and decimals, D as YYYYMMDD, L as T/F. A search value
// is encoded the same way except that a character value is only cut, never padded, so a
// shorter value finds the keys that start with it (its trailing blanks count).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/result.hpp"
#include "db/expr.hpp"
#include "db/record_key.hpp"
#include "xbase/dbf_file.hpp"
#include "xbase/ntx_file.hpp"

namespace db {

class Workspace;

class Order {
 public:
  Order(std::string path, std::unique_ptr<xbase::NtxFile> file, Expr key, Expr condition);
  ~Order();
  Order(const Order&) = delete;
  Order& operator=(const Order&) = delete;
  // A temporary index: its file is removed when the order is closed.
  void removeWhenClosed(sys::Env& env) { removeWith_ = &env; }

  const std::string& path() const { return path_; }
  xbase::NtxFile& file() { return *file_; }
  const Expr& key() const { return key_; }
  const Expr& condition() const { return condition_; }  // empty: every record is in the index
  std::uint16_t keySize() const { return keySize_; }
  bool unique() { return file_->header().unique; }
  bool descending() { return file_->header().descending; }

  std::uint16_t keyDecimals() const { return keyDecimals_; }
  // The key read straight from record bytes, when the key expression allows it
  // (record_key.hpp); nullptr: evaluate key() instead.
  RecordKey* recordKey() { return recordKey_.get(); }
  void setRecordKey(std::unique_ptr<RecordKey> k) { recordKey_ = std::move(k); }

  std::string encode(const rt::Value& v) const;
  std::string searchKey(const rt::Value& v) const;

 private:
  std::string path_;
  std::unique_ptr<xbase::NtxFile> file_;
  Expr key_;
  Expr condition_;
  std::uint16_t keySize_;
  std::uint16_t keyDecimals_;
  sys::Env* removeWith_ = nullptr;
  std::unique_ptr<RecordKey> recordKey_;
};

// The index bytes of a key value for a key of `size` bytes with `decimals` (see above).
std::string encodeKey(const rt::Value& v, std::size_t size, std::size_t decimals);

// Opens an index for a table opened with `share`, compiling its stored expressions.
// Errc::NotFound for a missing file. Throws Corrupt, or the compiler's error.
base::Result<std::unique_ptr<Order>> openOrder(Workspace& ws, const std::string& path, xbase::Share share);

}  // namespace db
