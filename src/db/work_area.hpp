// src/db/work_area.hpp — one open table in a work area: the current record and its buffer,
// RECNO/BOF/EOF/FOUND, movement in natural or index order, SEEK, the filter, relations to
// child areas, LOCATE/CONTINUE, field values, appends, deletion, locks and commit.
// Not here: numbering and aliases of areas (workspace.hpp), one index's key encoding
// (order.hpp), bulk operations (bulk_*.hpp).
//
// Rules:
//   A1  after every movement the area stands on a record 1..LASTREC, or on the phantom
//       record LASTREC+1 with EOF set and every field blank.
//   A2  a record is visible when it passes the filter and is not deleted while deleted
//       records are hidden. Movement (SKIP, GO TOP/BOTTOM, SEEK, LOCATE, relations) stops
//       only on visible records; GOTO stops on any record.
//   A3  SKIP past the last visible record gives the phantom; SKIP back past the first
//       visible one stands on it with BOF set; SKIP back from the phantom reaches the last
//       visible record. Nothing visible: GO TOP/BOTTOM give the phantom with BOF and EOF.
//   A4  FOUND belongs to the area; only SEEK, LOCATE and CONTINUE set it, every other
//       movement clears it.
//   A5  changes to the current record are written when the area leaves it ("goes cold":
//       any movement, commit, unlock, close). Then every open index whose key or FOR result
//       changed loses the old entry and gets the new one; a new record's entries are added.
//       An index that keeps one entry per key (UNIQUE) simply does not take a second one.
//   A6  in shared use a record may be changed only while this area holds its lock or the
//       whole-table lock; taking a record lock re-reads the record from the file.
//   A7  after every movement each child area of a relation stands on the record that the
//       relation's key, evaluated here, finds in its controlling index (or, for a child
//       without index and a numeric key, the record with that number); no match, or this
//       area at EOF, puts the child on its phantom record.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.hpp"
#include "db/expr.hpp"
#include "db/order.hpp"
#include "xbase/dbf_file.hpp"

namespace db {

class Workspace;

enum class SeekMode { Setting /* SET SOFTSEEK decides */, Soft, Exact };

class WorkArea {
 public:
  WorkArea(Workspace& ws, int number, std::string alias, std::unique_ptr<xbase::DbfFile> table);
  ~WorkArea();
  WorkArea(const WorkArea&) = delete;
  WorkArea& operator=(const WorkArea&) = delete;

  int number() const { return number_; }
  const std::string& alias() const { return alias_; }
  xbase::DbfFile& table() { return *table_; }
  Workspace& workspace() { return ws_; }

  // Position (A1..A4).
  std::uint32_t recno() const { return recno_; }
  std::uint32_t lastRec() { return table_->recordCount(); }
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  bool found() const { return found_; }
  void goTop();
  void goBottom();
  void goTo(std::uint32_t recno);
  void skip(long n = 1);
  bool seek(const rt::Value& key, SeekMode mode = SeekMode::Setting);
  bool locate(Expr condition, Expr whileCondition = {});  // from the top
  bool continueLocate();
  bool visible();  // A2, for the current record

  // Fields of the current record.
  std::size_t fieldCount() const { return table_->fields().size(); }
  const xbase::dbf::Field& field(std::size_t i) const { return table_->fields().at(i); }
  std::optional<std::size_t> fieldIndex(std::string_view name) const { return table_->fieldIndex(name); }
  rt::Value value(std::size_t i);
  std::span<const std::byte> record() const { return buf_; }
  bool deleted() const { return xbase::isDeleted(buf_); }
  // Errc::Refused: read-only table, not locked (A6) or no current record; Errc::Invalid: the
  // value does not suit the field (a number too wide is stored as '*' and also reported).
  base::Status replace(std::size_t i, const rt::Value& v);
  base::Status replace(std::string_view name, const rt::Value& v);
  base::Status deleteRecord();
  base::Status recall();
  // A new blank record, current and (in shared use) locked. Errc::Locked when another
  // station holds the new record's lock; Errc::Refused for a read-only table.
  base::Status appendBlank();
  // Appends a whole record buffer (bulk operations); its keys go into the open indexes.
  base::Status appendRecord(std::span<const std::byte> record);

  // Locks (single tries).
  base::Status lockRecord(std::optional<std::uint32_t> recno = {});  // default: the current
  base::Status lockFile();
  void unlockRecord(std::uint32_t recno);
  void unlockAll();
  void commit();  // writes the current record and syncs the files
  void flush();   // writes the current record and its index entries (A5)
  void close();   // writes what is pending and closes the table and its indexes

  // Indexes. Numbers are 1-based in the order the indexes were added; 0 = natural order.
  base::Status addOrder(const std::string& path);
  void addOrder(std::unique_ptr<Order> order);
  void clearOrders();  // closes every index
  std::size_t orderCount() const { return orders_.size(); }
  Order* order(std::size_t n) { return n >= 1 && n <= orders_.size() ? orders_[n - 1].get() : nullptr; }
  int orderNumber() const { return controlling_; }
  void setOrder(int n);  // out of range: natural order. The record pointer does not move.
  Order* controllingOrder() { return order(static_cast<std::size_t>(controlling_)); }
  std::vector<std::unique_ptr<Order>> releaseOrders();

  // Filter: an expression or a predicate, checked on movement only.
  void setFilter(Expr filter) { filter_ = std::move(filter); }
  void clearFilter() { filter_ = {}; }
  const Expr& filter() const { return filter_; }

  // Relations (A7).
  void addRelation(Expr key, WorkArea& child);
  void clearRelations() { relations_.clear(); }
  void forgetChild(const WorkArea& child);

  // Closes the table and opens it again in exclusive use (after PACK or ZAP replaced its
  // files); the area is then on the phantom record. Throws IoFault when it cannot be
  // opened again: another station took it in between.
  void reopenExclusive();
  // Walks every record 1..LASTREC without visibility rules, with the record current
  // (bulk builders); the area ends on the phantom record.
  // Records are read a large block at a time; `f` must not change the table.
  template <typename F>
  void forEachRecord(F&& f) {
    forEachRecordBytes(true, [&](std::uint32_t r, std::span<const std::byte>) { f(r); });
  }
  // As forEachRecord, with each record's bytes given to `f` as well. With `makeCurrent`
  // false the area is left on the phantom record throughout: for readers that need only
  // the bytes, which are spared the copy into the record buffer.
  template <typename F>
  void forEachRecordBytes(bool makeCurrent, F&& f) {
    flush();
    const std::size_t length = table_->recordLength();
    std::vector<std::byte> block(std::max<std::size_t>(kWalkBlock / length, 1) * length);
    for (std::uint32_t r = 1, got; (got = table_->readRecords(r, block)) > 0;) {
      for (std::uint32_t i = 0; i < got; ++i, ++r) {
        const auto bytes = std::span<const std::byte>(block).subspan(std::size_t{i} * length, length);
        if (makeCurrent) loadBytes(r, bytes);
        f(r, bytes);
      }
    }
    goPhantom();
  }

 private:
  struct Relation {
    Expr key;
    WorkArea* child;
  };
  static constexpr std::size_t kWalkBlock = std::size_t{1} << 20;
  void load(std::uint32_t recno);
  void loadBytes(std::uint32_t recno, std::span<const std::byte> record);
  void goPhantom();
  void afterMove();  // relations
  void followParent(WorkArea& parent, const Expr& key);
  bool stepForward();
  bool stepBack();
  bool positionCursor(Order& o);
  bool nextVisibleInOrder(Order& o);
  std::optional<std::string> entryOf(Order& o);  // the index bytes of the current record, if in it
  void captureOldEntries();
  void writeIndexEntries();
  base::Status mayChange();
  bool scan(bool fromStart);

  Workspace& ws_;
  int number_;
  std::string alias_;
  std::unique_ptr<xbase::DbfFile> table_;
  std::vector<std::byte> buf_;
  std::uint32_t recno_ = 0;
  bool eof_ = true, bof_ = true, found_ = false;
  bool dirty_ = false;      // buffer differs from the file
  bool appended_ = false;   // a new record whose index entries are not yet written
  bool captured_ = false;   // oldEntries_ hold the entries of the record as read
  std::vector<std::optional<std::string>> oldEntries_;
  std::vector<std::unique_ptr<Order>> orders_;
  int controlling_ = 0;
  xbase::NtxCursor cursor_;
  std::uint32_t cursorRecno_ = 0;  // the record the cursor stands on; 0 = find it again
  Expr filter_;
  std::vector<Relation> relations_;
  Expr locateFor_, locateWhile_;
};

}  // namespace db
