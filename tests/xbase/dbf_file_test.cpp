#include "xbase/dbf_file.hpp"

#include <gtest/gtest.h>

#include "base/bytes.hpp"
#include "base/fault.hpp"
#include "sys/fault_env.hpp"
#include "sys/posix_env.hpp"
#include "xbase_testing.hpp"

namespace {

using namespace xbase_testing;
using base::Errc;
using xbase::DbfFile;
using xbase::Share;

const sys::FixedClock kReferenceDay({2025, 3, 14});

std::unique_ptr<DbfFile> openTable(sys::Env& env, const std::string& path, Share share) {
  auto t = DbfFile::open(env, kReferenceDay, path, share);
  EXPECT_TRUE(t) << t.status().toString();
  return t ? std::move(*t) : nullptr;
}

std::vector<xbase::dbf::FieldSpec> specsOf(const DbfFile& t) {
  std::vector<xbase::dbf::FieldSpec> specs;
  for (const auto& f : t.fields()) specs.push_back({f.name, static_cast<char>(f.type), f.length, f.decimals});
  return specs;
}

// Copies every record of a reference table through values (memo text included) into a new
// table; the result must be the reference file byte for byte.
void copyThroughValues(sys::Env& env, const std::string& from, const std::string& to) {
  auto src = openTable(env, from, Share::SharedReadOnly);
  auto dst = DbfFile::create(env, kReferenceDay, to, specsOf(*src));
  ASSERT_TRUE(dst);
  std::vector<std::byte> in(src->recordLength());
  for (std::uint32_t r = 1; src->readRecord(r, in); ++r) {
    auto out = (*dst)->blankRecord();
    xbase::setDeleted(out, xbase::isDeleted(in));
    for (std::size_t i = 0; i < src->fields().size(); ++i) {
      const auto raw = src->raw(in, i);
      const std::string text = textOf(raw);
      const bool blank = text.find_first_not_of(' ') == std::string::npos;
      if (blank && src->fields()[i].type != xbase::dbf::FieldType::Memo) continue;  // never assigned
      ASSERT_TRUE((*dst)->setValue(out, i, src->value(in, i)).isOk()) << r << " " << src->fields()[i].name;
    }
    auto n = (*dst)->appendRecord(out);
    ASSERT_TRUE(n);
    ASSERT_EQ(*n, r);
  }
  (*dst)->close();
}

TEST(DbfFile, TablesWeWriteAreTheReferenceFilesByteForByte) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  for (const char* name : {"ALLTYPES", "BIG", "BIGINC"}) {
    SCOPED_TRACE(name);
    copyThroughValues(env, testkit::fixture(std::string(name) + ".DBF"), dir / (std::string(name) + ".DBF"));
    EXPECT_EQ(testkit::readFile(dir / (std::string(name) + ".DBF")), testkit::readFile(testkit::fixture(std::string(name) + ".DBF")));
  }
  EXPECT_EQ(testkit::readFile(dir / "ALLTYPES.DBT"), testkit::readFile(testkit::fixture("ALLTYPES.DBT")));
}

TEST(DbfFile, ANewTableHasTheReferenceHeaderAndDescriptors) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  auto ref = openTable(env, testkit::fixture("ORDERS.DBF"), Share::SharedReadOnly);
  auto t = DbfFile::create(env, kReferenceDay, dir / "ORDERS.DBF", specsOf(*ref));
  ASSERT_TRUE(t);
  (*t)->close();
  const auto ours = readBytes(dir / "ORDERS.DBF");
  const auto theirs = readBytes(testkit::fixture("ORDERS.DBF"));
  const std::size_t hl = ref->header().headerLength;
  ASSERT_EQ(ours.size(), hl + 1);
  EXPECT_EQ(ours[hl], std::byte{0x1A});
  EXPECT_EQ(base::loadU32le(ours.data() + 4), 0u);
  // Every header byte but the record count (bytes 4-7) is the reference's.
  const auto bytes = [](const std::vector<std::byte>& v, std::size_t from, std::size_t to) {
    return std::vector<std::byte>(v.begin() + static_cast<std::ptrdiff_t>(from), v.begin() + static_cast<std::ptrdiff_t>(to));
  };
  EXPECT_EQ(bytes(ours, 0, 4), bytes(theirs, 0, 4));
  EXPECT_EQ(bytes(ours, 8, hl), bytes(theirs, 8, hl));
}

TEST(DbfFile, FieldsAreFoundByNameInAnyCase) {
  sys::PosixEnv env;
  auto t = openTable(env, testkit::fixture("ORDERS.DBF"), Share::SharedReadOnly);
  EXPECT_EQ(t->fieldIndex("nazwa_tow"), 7u);
  EXPECT_EQ(t->fieldIndex("NAZWA"), std::nullopt);
  std::vector<std::byte> rec(t->recordLength());
  ASSERT_TRUE(t->readRecord(2, rec));
  EXPECT_EQ(t->value(rec, 2).text(), "0001");
  EXPECT_EQ(t->value(rec, 1).date().dtos(), "20150220");
  EXPECT_DOUBLE_EQ(t->value(rec, 9).num(), 222.01);
  EXPECT_FALSE(t->value(rec, 10).logical());
  EXPECT_FALSE(t->readRecord(3053, rec));
  EXPECT_FALSE(t->readRecord(0, rec));
}

// Each row damages a valid table; opening it must name the file and leave it untouched.
TEST(DbfFile, MalformedTablesRaiseCorruptWithoutWriting) {
  const auto good = readBytes(testkit::fixture("ALLTYPES.DBF"));
  struct Case { const char* what; std::function<void(std::vector<std::byte>&)> damage; };
  const auto put = [](std::size_t at, std::uint8_t v) { return [=](std::vector<std::byte>& b) { b[at] = std::byte(v); }; };
  const auto cut = [](std::size_t n) { return [=](std::vector<std::byte>& b) { b.resize(n); }; };
  const Case cases[] = {
      {"empty file", cut(0)},
      {"half a header", cut(20)},
      {"header without descriptors", cut(32)},
      {"descriptors cut short", cut(200)},
      {"cut in the records", cut(good.size() - 100)},
      {"foreign kind (Visual FoxPro)", put(0, 0x30)},
      {"foreign kind (dBASE IV memo)", put(0, 0x8B)},
      {"header length too small", put(8, 40)},
      {"header length past the end", [](auto& b) { base::storeU16le(b.data() + 8, 0xFFF0); }},
      {"record length wrong", put(10, 0x40)},
      {"record length zero", [](auto& b) { base::storeU16le(b.data() + 10, 0); }},
      {"terminator missing", put(32 + 32 * 10, 'X')},
      {"unknown field type", put(32 + 11, 'X')},
      {"date field 7 wide", put(32 + 32 * 7 + 16, 7)},
      {"field without a name", put(32, 0)},
      {"decimals wider than the field", put(32 + 32 * 3 + 17, 9)},
      {"count beyond the records", [](auto& b) { base::storeU32le(b.data() + 4, 21); }},
  };
  testkit::TempDir dir;
  sys::PosixEnv env;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto bytes = good;
    c.damage(bytes);
    const std::string path = dir / "BAD.DBF";
    writeBytes(path, bytes);
    std::filesystem::copy_file(testkit::fixture("ALLTYPES.DBT"), dir / "BAD.DBT", std::filesystem::copy_options::overwrite_existing);
    try {
      auto t = DbfFile::open(env, kReferenceDay, path, Share::Shared);
      ADD_FAILURE() << "opened";
    } catch (const base::Corrupt& e) {
      EXPECT_EQ(e.file(), path);
    }
    EXPECT_EQ(readBytes(path), bytes);
  }
}

TEST(DbfFile, AMissingMemoFileIsReported) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  std::filesystem::copy_file(testkit::fixture("ALLTYPES.DBF"), dir / "a.dbf");
  auto t = DbfFile::open(env, kReferenceDay, dir / "a.dbf", Share::Shared);
  ASSERT_FALSE(t);
  EXPECT_TRUE(t.error().is(Errc::NotFound));
  std::filesystem::copy_file(testkit::fixture("ALLTYPES.DBT"), dir / "a.DBT");  // found whatever its case
  EXPECT_TRUE(DbfFile::open(env, kReferenceDay, dir / "a.dbf", Share::Shared));
}

class SharedTable : public ::testing::Test {
 protected:
  void SetUp() override {
    auto t = DbfFile::create(env_, kReferenceDay, path_, {{"KOD", 'C', 10}, {"WART", 'N', 8}, {"OPIS", 'M'}});
    ASSERT_TRUE(t);
    (*t)->close();
  }
  std::vector<std::byte> recordWith(DbfFile& t, const std::string& kod) {
    auto r = t.blankRecord();
    EXPECT_TRUE(t.setValue(r, 0, rt::Value::character(kod)).isOk());
    return r;
  }

  testkit::TempDir dir_;
  sys::PosixEnv env_;
  std::string path_ = dir_ / "T.DBF";
};

TEST_F(SharedTable, ShareModesExcludeAsOpenedElsewhere) {
  auto a = openTable(env_, path_, Share::Shared);
  auto b = DbfFile::open(env_, kReferenceDay, path_, Share::Exclusive);
  ASSERT_FALSE(b);
  EXPECT_TRUE(b.error().is(Errc::Locked));
  EXPECT_TRUE(DbfFile::open(env_, kReferenceDay, path_, Share::SharedReadOnly));
  a.reset();
  auto c = openTable(env_, path_, Share::Exclusive);
  EXPECT_TRUE(DbfFile::open(env_, kReferenceDay, path_, Share::Shared).error().is(Errc::Locked));
  EXPECT_TRUE(DbfFile::create(env_, kReferenceDay, path_, {{"X", 'C', 1}}).error().is(Errc::Locked));
}

TEST_F(SharedTable, AppendsCountFromTheFileAndKeepTheNewRecordLocked) {
  auto a = openTable(env_, path_, Share::Shared);
  auto b = openTable(env_, path_, Share::Shared);
  EXPECT_EQ(*a->appendRecord(recordWith(*a, "first")), 1u);
  EXPECT_EQ(b->recordCount(), 1u);
  EXPECT_EQ(*b->appendRecord(recordWith(*b, "second")), 2u);
  EXPECT_EQ(a->recordCount(), 2u);
  const auto bytes = readBytes(path_);
  EXPECT_EQ(base::loadU32le(bytes.data() + 4), 2u);  // the header follows every shared append
  EXPECT_EQ(bytes.back(), std::byte{0x1A});
  EXPECT_TRUE(a->holdsRecordLock(1));
  EXPECT_TRUE(b->lockRecord(1).is(Errc::Locked));
  EXPECT_TRUE(a->lockRecord(2).is(Errc::Locked));

  // another station holding the whole table: the append gets its number but not its lock
  a->unlockAll();
  b->unlockAll();
  ASSERT_TRUE(a->lockFile().isOk());
  EXPECT_TRUE(b->appendBlank().error().is(Errc::Locked));
  EXPECT_EQ(b->recordCount(), 2u);
  EXPECT_EQ(*a->appendBlank(), 3u);  // the holder of the table lock appends freely
}

TEST_F(SharedTable, RecordAndTableLocksExcludeEachOther) {
  auto a = openTable(env_, path_, Share::Shared);
  auto b = openTable(env_, path_, Share::Shared);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(a->appendBlank());
  a->unlockAll();
  ASSERT_TRUE(a->lockRecord(2).isOk());
  EXPECT_TRUE(b->lockFile().is(Errc::Locked));
  EXPECT_TRUE(b->lockRecord(3).isOk());
  a->unlockRecord(2);
  EXPECT_TRUE(a->lockFile().is(Errc::Locked));
  b->unlockAll();
  ASSERT_TRUE(a->lockFile().isOk());
  EXPECT_TRUE(b->lockRecord(1).is(Errc::Locked));
  a->unlockRecord(1);  // a record lock never taken leaves the table lock whole
  EXPECT_TRUE(b->lockRecord(1).is(Errc::Locked));
}

TEST_F(SharedTable, WritesNeedTheRecordLockAndWriteAccess) {
  auto a = openTable(env_, path_, Share::Shared);
  ASSERT_TRUE(a->appendRecord(recordWith(*a, "old")));
  a->unlockAll();
  auto rec = recordWith(*a, "new");
  EXPECT_TRUE(a->writeRecord(1, rec).is(Errc::Refused));
  ASSERT_TRUE(a->lockRecord(1).isOk());
  ASSERT_TRUE(a->setValue(rec, 2, rt::Value::memo("notatka")).isOk());
  ASSERT_TRUE(a->writeRecord(1, rec).isOk());
  EXPECT_TRUE(a->writeRecord(2, rec).is(Errc::NotFound));

  auto r = openTable(env_, path_, Share::SharedReadOnly);
  std::vector<std::byte> got(r->recordLength());
  ASSERT_TRUE(r->readRecord(1, got));
  EXPECT_EQ(r->value(got, 0).text(), "new       ");
  EXPECT_EQ(r->value(got, 2).text(), "notatka");
  EXPECT_TRUE(r->writeRecord(1, got).is(Errc::Refused));
  EXPECT_TRUE(r->appendBlank().error().is(Errc::Refused));
  EXPECT_TRUE(r->setValue(got, 2, rt::Value::memo("x")).is(Errc::Refused));
}

TEST(DbfFile, ExclusiveBulkAppendsAreReadableAtOnceAndFinishedAtClose) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  auto t = DbfFile::create(env, kReferenceDay, dir / "B.DBF", {{"KOD", 'C', 10}, {"WART", 'N', 8}});
  ASSERT_TRUE(t);
  auto rec = (*t)->blankRecord();
  for (int i = 1; i <= 5000; ++i) {
    ASSERT_TRUE((*t)->setValue(rec, 1, rt::Value::number(i)).isOk());
    ASSERT_EQ(*(*t)->appendRecord(rec), static_cast<std::uint32_t>(i));
  }
  std::vector<std::byte> got(rec.size());
  ASSERT_TRUE((*t)->readRecord(4999, got));
  EXPECT_DOUBLE_EQ((*t)->value(got, 1).num(), 4999);
  ASSERT_TRUE((*t)->setValue(got, 1, rt::Value::number(-1)).isOk());
  ASSERT_TRUE((*t)->writeRecord(4999, got).isOk());
  (*t)->close();
  const auto bytes = readBytes(dir / "B.DBF");
  EXPECT_EQ(base::loadU32le(bytes.data() + 4), 5000u);
  EXPECT_EQ(bytes.size(), 32u + 2 * 32 + 2 + 5000 * 19 + 1);
  EXPECT_EQ(bytes.back(), std::byte{0x1A});
  auto again = openTable(env, dir / "B.DBF", Share::SharedReadOnly);
  ASSERT_TRUE(again->readRecord(4999, got));
  EXPECT_DOUBLE_EQ(again->value(got, 1).num(), -1);
}

TEST(DbfFile, AFailedWriteLosesNoCommittedRecord) {
  testkit::TempDir dir;
  sys::PosixEnv real;
  sys::FaultEnv env(real);
  const std::string path = dir / "F.DBF";
  auto t = DbfFile::create(env, kReferenceDay, path, {{"KOD", 'C', 10}});
  ASSERT_TRUE(t);
  for (int i = 0; i < 100; ++i) ASSERT_TRUE((*t)->appendBlank());
  (*t)->commit();
  const auto committed = readBytes(path);
  for (int i = 0; i < 100; ++i) ASSERT_TRUE((*t)->appendBlank());
  env.cutNthWrite(1, 7);
  EXPECT_THROW((*t)->close(), base::IoFault);
  t->reset();
  auto back = openTable(real, path, Share::SharedReadOnly);
  EXPECT_EQ(back->recordCount(), 100u);  // the torn batch is not a whole record
  const auto now = readBytes(path);
  EXPECT_TRUE(std::equal(committed.begin(), committed.end() - 1, now.begin()));
}

// In exclusive use records are served from memory once read: what is read back is always
// the last thing written, for records that share a cache slot, records read ahead, records
// still waiting to be written, and after a commit.
TEST_F(SharedTable, ExclusiveReadsSeeEveryWrite) {
  auto t = openTable(env_, path_, Share::Exclusive);  // empty: the fewest cache slots
  const auto kod = [&](std::uint32_t r) {
    std::vector<std::byte> rec(t->recordLength());
    EXPECT_TRUE(t->readRecord(r, rec));
    return t->value(rec, 0).text().substr(0, 7);
  };
  constexpr std::uint32_t kRecords = 9000;  // more records than slots
  for (std::uint32_t r = 1; r <= kRecords; ++r) ASSERT_TRUE(t->appendRecord(recordWith(*t, "K" + std::to_string(100000 + r))));
  EXPECT_EQ(kod(kRecords), "K" + std::to_string(100000 + kRecords));  // not yet on disk
  t->commit();
  for (std::uint32_t r = 1; r <= 10; ++r) EXPECT_EQ(kod(r), "K" + std::to_string(100000 + r));  // read ahead
  for (std::uint32_t r : {4097u, 1u, 8193u, 5u, 4101u})
    EXPECT_EQ(kod(r), "K" + std::to_string(100000 + r)) << r;
  ASSERT_TRUE(t->writeRecord(5, recordWith(*t, "NOWY5")));
  ASSERT_TRUE(t->writeRecord(4101, recordWith(*t, "NOWY41")));
  EXPECT_EQ(kod(5), "NOWY5  ");
  EXPECT_EQ(kod(4101), "NOWY41 ");
  ASSERT_TRUE(t->appendRecord(recordWith(*t, "NOWY")));
  EXPECT_EQ(kod(kRecords + 1), "NOWY   ");
  t->close();
  auto again = openTable(env_, path_, Share::SharedReadOnly);
  std::vector<std::byte> rec(again->recordLength());
  ASSERT_TRUE(again->readRecord(5, rec));
  EXPECT_EQ(again->value(rec, 0).text(), "NOWY5     ");
  ASSERT_TRUE(again->readRecord(kRecords + 1, rec));
  EXPECT_EQ(again->value(rec, 0).text(), "NOWY      ");
}

}  // namespace
