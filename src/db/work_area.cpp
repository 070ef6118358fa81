// src/db/work_area.cpp — movement, fields, appends, locks and index upkeep of one area.
// The rules A1..A7 are in work_area.hpp.
#include "db/work_area.hpp"

#include "base/check.hpp"
#include "db/workspace.hpp"
#include "xbase/ntx_key.hpp"

namespace db {

using base::Errc;
using base::Status;

WorkArea::WorkArea(Workspace& ws, int number, std::string alias, std::unique_ptr<xbase::DbfFile> table)
    : ws_(ws), number_(number), alias_(std::move(alias)), table_(std::move(table)) {
  buf_ = table_->blankRecord();
  goTop();
}

WorkArea::~WorkArea() {
  try {
    close();
  } catch (...) {  // NOLINT: a destructor cannot report; close() reports to those who call it
  }
}

void WorkArea::close() {
  if (!table_) return;
  flush();
  relations_.clear();
  orders_.clear();
  table_->close();
  table_.reset();
}

// ---- loading and flags --------------------------------------------------------------------

void WorkArea::load(std::uint32_t recno) {
  if (!table_->readRecord(recno, buf_)) {
    goPhantom();
    return;
  }
  recno_ = recno;
  eof_ = false;
  dirty_ = appended_ = captured_ = false;
}

void WorkArea::loadBytes(std::uint32_t recno, std::span<const std::byte> record) {
  std::copy(record.begin(), record.end(), buf_.begin());
  recno_ = recno;
  eof_ = false;
  dirty_ = appended_ = captured_ = false;
}

void WorkArea::goPhantom() {
  recno_ = lastRec() + 1;
  buf_ = table_->blankRecord();
  eof_ = true;
  dirty_ = appended_ = captured_ = false;
  cursorRecno_ = 0;
}

bool WorkArea::visible() {
  if (eof_) return false;
  if (ws_.hideDeleted() && deleted()) return false;
  return !filter_ || ws_.testIn(*this, filter_);
}

void WorkArea::afterMove() {
  for (Relation& r : relations_) r.child->followParent(*this, r.key);
}

void WorkArea::followParent(WorkArea& parent, const Expr& key) {
  flush();
  found_ = false;
  bof_ = false;
  if (parent.eof()) {
    goPhantom();
    afterMove();
    return;
  }
  const rt::Value v = ws_.evalIn(parent, key);
  if (controllingOrder() != nullptr) {
    seek(v, SeekMode::Exact);
    return;
  }
  if (v.isNumber() && v.num() >= 1) {
    goTo(static_cast<std::uint32_t>(v.num()));
    return;
  }
  goPhantom();
  afterMove();
}

// ---- movement -----------------------------------------------------------------------------

bool WorkArea::positionCursor(Order& o) {
  if (cursorRecno_ == recno_ && cursor_.valid()) return true;
  if (eof_) return false;
  const auto entry = entryOf(o);
  if (entry && o.file().find(cursor_, *entry, recno_)) {
    cursorRecno_ = recno_;
    return true;
  }
  // The record is not in this index (its FOR condition fails, or another record holds its
  // UNIQUE key): continue from where its key would stand.
  const std::string key = entry ? *entry : o.encode(ws_.evalIn(*this, o.key()));
  if (o.file().seek(cursor_, key) == xbase::NtxFile::Seek::End) return false;
  cursorRecno_ = recno_;
  return true;
}

bool WorkArea::nextVisibleInOrder(Order& o) {
  while (true) {
    load(cursor_.recno);
    cursorRecno_ = recno_;
    if (visible()) return true;
    if (!o.file().next(cursor_)) return false;
  }
}

void WorkArea::goTop() {
  flush();
  found_ = false;
  bool any = false;
  if (Order* o = controllingOrder()) {
    xbase::NtxFile::Scope scope(o->file(), xbase::NtxFile::Scope::Kind::Read);
    any = o->file().top(cursor_) && nextVisibleInOrder(*o);
  } else {
    const std::uint32_t n = lastRec();
    for (std::uint32_t r = 1; r <= n && !any; ++r) {
      load(r);
      any = visible();
    }
  }
  if (!any) goPhantom();
  bof_ = !any;
  afterMove();
}

void WorkArea::goBottom() {
  flush();
  found_ = false;
  bool any = false;
  if (Order* o = controllingOrder()) {
    xbase::NtxFile::Scope scope(o->file(), xbase::NtxFile::Scope::Kind::Read);
    if (o->file().bottom(cursor_)) {
      do {
        load(cursor_.recno);
        cursorRecno_ = recno_;
        any = visible();
      } while (!any && o->file().prev(cursor_));
    }
  } else {
    for (std::uint32_t r = lastRec(); r >= 1 && !any; --r) {
      load(r);
      any = visible();
    }
  }
  if (!any) goPhantom();
  bof_ = !any;
  afterMove();
}

void WorkArea::goTo(std::uint32_t recno) {
  flush();
  found_ = false;
  const std::uint32_t n = lastRec();
  if (recno >= 1 && recno <= n)
    load(recno);
  else
    goPhantom();
  cursorRecno_ = 0;
  bof_ = n == 0;
  afterMove();
}

bool WorkArea::stepForward() {
  if (Order* o = controllingOrder()) {
    xbase::NtxFile::Scope scope(o->file(), xbase::NtxFile::Scope::Kind::Read);
    if (!positionCursor(*o)) return false;
    // A cursor found again by seek may already stand past the record; then it is the next.
    const bool standsOnCurrent = cursor_.recno == recno_;
    if (standsOnCurrent && !o->file().next(cursor_)) return false;
    return nextVisibleInOrder(*o);
  }
  const std::uint32_t n = lastRec();
  for (std::uint32_t r = recno_ + 1; r <= n; ++r) {
    load(r);
    if (visible()) return true;
  }
  return false;
}

bool WorkArea::stepBack() {
  if (Order* o = controllingOrder()) {
    xbase::NtxFile::Scope scope(o->file(), xbase::NtxFile::Scope::Kind::Read);
    if (!positionCursor(*o)) return false;
    while (o->file().prev(cursor_)) {
      load(cursor_.recno);
      cursorRecno_ = recno_;
      if (visible()) return true;
    }
    return false;
  }
  for (std::uint32_t r = recno_; r > 1;) {
    load(--r);
    if (visible()) return true;
  }
  return false;
}

void WorkArea::skip(long n) {
  flush();
  found_ = false;
  bof_ = false;
  if (n == 0) {
    if (!eof_) load(recno_);
    afterMove();
    return;
  }
  if (n > 0) {
    if (!eof_) {
      for (long i = 0; i < n; ++i)
        if (!stepForward()) {
          goPhantom();
          break;
        }
    }
    afterMove();
    return;
  }
  long back = -n;
  if (eof_) {
    goBottom();  // the last visible record is the first step back
    if (eof_) return;
    --back;
  }
  for (long i = 0; i < back; ++i) {
    if (!stepBack()) {
      // Before the first visible record: stand on it with BOF set.
      goTop();
      bof_ = true;
      return;
    }
  }
  afterMove();
}

bool WorkArea::seek(const rt::Value& key, SeekMode mode) {
  flush();
  found_ = false;
  bof_ = false;
  Order* o = controllingOrder();
  if (o == nullptr) {
    rt::Error e;
    e.genCode = rt::GenCode::NoOrder;
    e.subsystem = "DBCMD";
    e.subCode = 1020;
    e.description = "Work area not indexed";
    e.operation = "DBSEEK";
    ws_.runtime().raise(std::move(e));
    return false;
  }
  const bool soft = mode == SeekMode::Soft || (mode == SeekMode::Setting && ws_.runtime().settings().softSeek);
  const std::string wanted = o->searchKey(key);
  bool positioned = false;
  {
    xbase::NtxFile::Scope scope(o->file(), xbase::NtxFile::Scope::Kind::Read);
    if (o->file().seek(cursor_, wanted) != xbase::NtxFile::Seek::End && nextVisibleInOrder(*o)) {
      positioned = true;
      found_ = xbase::comparePrefix(wanted, cursor_.key) == 0;
    }
  }
  if (!positioned || (!found_ && !soft)) goPhantom();
  afterMove();
  return found_;
}

bool WorkArea::scan(bool fromStart) {
  found_ = false;
  if (fromStart) {
    goTop();
  } else {
    skip(1);
  }
  while (!eof_) {
    if (locateWhile_ && !ws_.testIn(*this, locateWhile_)) break;
    if (ws_.testIn(*this, locateFor_)) {
      found_ = true;
      return true;
    }
    skip(1);
  }
  if (!eof_) {
    goPhantom();
    afterMove();
  }
  return false;
}

bool WorkArea::locate(Expr condition, Expr whileCondition) {
  locateFor_ = std::move(condition);
  locateWhile_ = std::move(whileCondition);
  return scan(true);
}

bool WorkArea::continueLocate() {
  if (!locateFor_) return false;
  if (eof_) {
    found_ = false;
    return false;
  }
  return scan(false);
}

// ---- fields and changes -------------------------------------------------------------------

rt::Value WorkArea::value(std::size_t i) { return table_->value(buf_, i); }

Status WorkArea::mayChange() {
  if (table_->share() == xbase::Share::SharedReadOnly) return Status(Errc::Refused, "table opened read-only: " + alias_);
  if (eof_) return Status(Errc::Refused, "no current record in " + alias_);
  if (table_->share() == xbase::Share::Shared && !table_->holdsFileLock() && !table_->holdsRecordLock(recno_))
    return Status(Errc::Refused, "record " + std::to_string(recno_) + " of " + alias_ + " is not locked");
  return Status::ok();
}

std::optional<std::string> WorkArea::entryOf(Order& o) {
  if (o.condition() && !ws_.testIn(*this, o.condition())) return std::nullopt;
  if (RecordKey* k = o.recordKey()) {
    k->prepare();  // a picture its text forms read may have changed since the last key
    return std::string(k->bytes(buf_, o.keySize(), o.keyDecimals()));
  }
  return o.encode(ws_.evalIn(*this, o.key()));
}

void WorkArea::captureOldEntries() {
  if (captured_ || appended_) return;
  oldEntries_.clear();
  for (auto& o : orders_) oldEntries_.push_back(entryOf(*o));
  captured_ = true;
}

Status WorkArea::replace(std::size_t i, const rt::Value& v) {
  if (Status s = mayChange(); !s) return s;
  if (i >= fieldCount()) return Status(Errc::Invalid, "no field " + std::to_string(i + 1) + " in " + alias_);
  captureOldEntries();
  dirty_ = true;
  return table_->setValue(buf_, i, v);
}

Status WorkArea::replace(std::string_view name, const rt::Value& v) {
  const auto i = fieldIndex(name);
  if (!i) return Status(Errc::Invalid, "no field " + std::string(name) + " in " + alias_);
  return replace(*i, v);
}

Status WorkArea::deleteRecord() {
  if (Status s = mayChange(); !s) return s;
  xbase::setDeleted(buf_, true);
  dirty_ = true;
  return Status::ok();
}

Status WorkArea::recall() {
  if (Status s = mayChange(); !s) return s;
  xbase::setDeleted(buf_, false);
  dirty_ = true;
  return Status::ok();
}

Status WorkArea::appendBlank() { return appendRecord(table_->blankRecord()); }

Status WorkArea::appendRecord(std::span<const std::byte> record) {
  flush();
  if (table_->share() == xbase::Share::Shared && !table_->holdsFileLock()) {
    const auto held = table_->recordLocks();
    for (std::uint32_t r : held) table_->unlockRecord(r);
  }
  auto r = table_->appendRecord(record);
  if (!r) return r.error();
  recno_ = *r;
  buf_.assign(record.begin(), record.end());
  eof_ = bof_ = found_ = false;
  dirty_ = false;
  appended_ = true;
  captured_ = false;
  cursorRecno_ = 0;
  afterMove();
  return Status::ok();
}

namespace {

// An index change that is refused here means the area let a change through that its index
// cannot take (mayChange() refuses changes to read-only tables first).
void expectChange(const Status& s, Errc harmless) {
  if (!s && !s.is(harmless)) throw base::InternalFault(s.toString());
}

}  // namespace

void WorkArea::writeIndexEntries() {
  for (std::size_t i = 0; i < orders_.size(); ++i) {
    Order& o = *orders_[i];
    const auto now = entryOf(o);
    const std::optional<std::string> before = appended_ ? std::nullopt : oldEntries_[i];
    if (before == now) continue;
    xbase::NtxFile::Scope scope(o.file(), xbase::NtxFile::Scope::Kind::Write);
    if (before) expectChange(o.file().remove(*before, recno_), Errc::NotFound);  // a UNIQUE index never held it
    if (now) expectChange(o.file().insert(*now, recno_), Errc::Exists);         // UNIQUE: the key is taken
    if (static_cast<int>(i + 1) == controlling_) cursorRecno_ = 0;
  }
}

void WorkArea::flush() {
  if (!table_ || eof_) return;
  if (dirty_) {
    if (Status s = table_->writeRecord(recno_, buf_); !s)
      throw base::IoFault(table_->path(), "record " + std::to_string(recno_) + " not written: " + s.message());
  }
  if (appended_ || (dirty_ && captured_)) writeIndexEntries();
  dirty_ = appended_ = captured_ = false;
}

void WorkArea::commit() {
  flush();
  table_->commit();
}

// ---- locks --------------------------------------------------------------------------------

Status WorkArea::lockRecord(std::optional<std::uint32_t> recno) {
  flush();
  const std::uint32_t r = recno.value_or(recno_);
  if (Status s = table_->lockRecord(r); !s) return s;
  if (r == recno_ && !eof_) load(r);  // see other stations' last writes
  return Status::ok();
}

Status WorkArea::lockFile() {
  flush();
  if (Status s = table_->lockFile(); !s) return s;
  if (!eof_) load(recno_);
  return Status::ok();
}

void WorkArea::unlockRecord(std::uint32_t recno) {
  flush();
  table_->unlockRecord(recno);
}

void WorkArea::unlockAll() {
  flush();
  table_->unlockAll();
}

// ---- orders, relations --------------------------------------------------------------------

Status WorkArea::addOrder(const std::string& path) {
  flush();
  auto o = openOrder(ws_, path, table_->share());
  if (!o) return o.error();
  addOrder(std::move(*o));
  return Status::ok();
}

void WorkArea::addOrder(std::unique_ptr<Order> order) {
  flush();
  order->setRecordKey(RecordKey::compile(order->file().header().keyExpr, table_->fields(), &ws_.runtime()));
  orders_.push_back(std::move(order));
  if (controlling_ == 0) controlling_ = 1;
  cursorRecno_ = 0;
}

void WorkArea::clearOrders() {
  flush();
  orders_.clear();
  controlling_ = 0;
  cursorRecno_ = 0;
}

std::vector<std::unique_ptr<Order>> WorkArea::releaseOrders() {
  flush();
  controlling_ = 0;
  cursorRecno_ = 0;
  return std::exchange(orders_, {});
}

void WorkArea::setOrder(int n) {
  flush();
  controlling_ = n >= 1 && n <= static_cast<int>(orders_.size()) ? n : 0;
  cursorRecno_ = 0;
}

void WorkArea::addRelation(Expr key, WorkArea& child) {
  relations_.push_back({std::move(key), &child});
  child.followParent(*this, relations_.back().key);
}

void WorkArea::forgetChild(const WorkArea& child) {
  std::erase_if(relations_, [&](const Relation& r) { return r.child == &child; });
}

void WorkArea::reopenExclusive() {
  flush();
  const std::string path = table_->path();
  table_->close();
  auto reopened = xbase::DbfFile::open(ws_.env(), ws_.clock(), path, xbase::Share::Exclusive);
  if (!reopened) throw base::IoFault(path, "table not opened again: " + reopened.error().message());
  table_ = std::move(*reopened);
  goPhantom();
}

}  // namespace db
