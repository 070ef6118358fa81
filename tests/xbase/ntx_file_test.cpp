// tests/xbase/ntx_file_test.cpp — reference index files: header facts, the keys a walk
// yields, seeks; and the sharing protocol's lock and change counter.
#include "xbase/ntx_file.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/fault.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "xbase/mem_file.hpp"
#include "xbase/ntx_fixture.hpp"

namespace xbase {
namespace {

using test::KeyRec;

struct IndexRow {
  std::string file, key, forExpr;
  bool unique, descending;
  int keySize, keyDec, maxItem, depth, keys;
};

std::vector<IndexRow> indexRows() {
  std::istringstream in(testkit::readFile(testkit::fixture("INDEXES.tsv")));
  std::vector<IndexRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream ls(line);
    for (std::string part; std::getline(ls, part, '\t');) f.push_back(part);
    rows.push_back({f[0], f[1], f[2], f[3] == "1", f[4] == "1", std::stoi(f[5]), std::stoi(f[6]), std::stoi(f[7]),
                    std::stoi(f[8]), std::stoi(f[9])});
  }
  return rows;
}

std::unique_ptr<NtxFile> openFixture(const std::string& name, NtxUse use = NtxUse::Exclusive) {
  return NtxFile::adopt(test::MemFile::of(testkit::readFile(testkit::fixture(name))), use);
}

std::vector<KeyRec> walk(NtxFile& f) {
  std::vector<KeyRec> out;
  NtxCursor c;
  for (bool on = f.top(c); on; on = f.next(c)) out.push_back({c.key, c.recno});
  return out;
}

TEST(NtxFixtures, HeadersMatchTheIndexTable) {
  const auto rows = indexRows();
  ASSERT_EQ(rows.size(), 14u);
  for (const IndexRow& r : rows) {
    SCOPED_TRACE(r.file);
    auto f = openFixture(r.file);
    const ntx::Header& h = f->header();
    EXPECT_EQ(h.keyExpr, r.key);
    EXPECT_EQ(h.forExpr, r.forExpr);
    EXPECT_EQ(h.hasFor(), !r.forExpr.empty());
    EXPECT_EQ(h.unique, r.unique);
    EXPECT_EQ(h.descending, r.descending);
    EXPECT_EQ(h.keySize, r.keySize);
    EXPECT_EQ(h.keyDecimals, r.keyDec);
    EXPECT_EQ(h.maxItems, r.maxItem);
    EXPECT_EQ(h.maxItems, ntx::maxItemsFor(h.keySize));
  }
}

TEST(NtxFixtures, EveryTreeIsValidWithTheListedDepthAndKeys) {
  for (const IndexRow& r : indexRows()) {
    SCOPED_TRACE(r.file);
    auto f = openFixture(r.file);
    if (r.file == "ORDNAZPL.NTX") {  // ordered by a national collation, not by bytes
      EXPECT_THROW(f->checkInvariants(), base::Corrupt);
      EXPECT_EQ(walk(*f).size(), static_cast<std::size_t>(r.keys));
      continue;
    }
    const NtxStats st = f->checkInvariants();
    EXPECT_EQ(st.keys, static_cast<std::uint64_t>(r.keys));
    EXPECT_EQ(st.depth, r.depth);
  }
}

// Built in one pass: exactly the dump's keys, equal keys by record number.
TEST(NtxFixtures, FreshBuildsWalkInKeyThenRecordOrder) {
  for (const char* name : {"BIGKOD.NTX", "ALLNDEC.NTX", "ALLNNEG.NTX", "ALLDATE.NTX", "ALLTEXT.NTX"}) {
    SCOPED_TRACE(name);
    auto f = openFixture(name);
    EXPECT_EQ(walk(*f), test::expectedKeys(name));
  }
}

// Kept up key by key: equal keys stand in insertion order, so compare keys in order and
// the pairs as a set.
TEST(NtxFixtures, EditedIndexesHoldTheDumpsKeysInOrder) {
  for (const char* name : {"ORDKEY.NTX", "ORDNAZ.NTX", "ORDILO.NTX", "ORDDAT.NTX", "ORDPOZ.NTX", "ORDKOND.NTX",
                           "BIGINCK.NTX"}) {
    SCOPED_TRACE(name);
    auto f = openFixture(name);
    const auto got = walk(*f);
    const auto want = test::expectedKeys(name);
    ASSERT_EQ(got.size(), want.size());
    std::vector<std::string> gotKeys, wantKeys;
    for (const auto& k : got) gotKeys.push_back(k.key);
    for (const auto& k : want) wantKeys.push_back(k.key);
    EXPECT_EQ(gotKeys, wantKeys);
    EXPECT_EQ(std::set<KeyRec>(got.begin(), got.end()), std::set<KeyRec>(want.begin(), want.end()));
  }
}

// A UNIQUE index holds each key once, pointing at a record that still holds it; a key
// whose holder took another key leaves the index, though other records still carry it.
TEST(NtxFixtures, UniqueIndexHoldsEachKeyOnceAtAHolder) {
  auto f = openFixture("ORDKONU.NTX");
  const auto table = test::readDump("ORDERS.dump.tsv");
  std::set<std::string> keys, carried;
  for (std::size_t r = 0; r < table.rows.size(); ++r) carried.insert(table.value(r, "NR_KON"));
  for (const auto& k : walk(*f)) {
    EXPECT_TRUE(keys.insert(k.key).second) << k.key;
    ASSERT_LE(k.recno, table.rows.size());
    EXPECT_EQ(table.value(k.recno - 1, "NR_KON"), k.key);
  }
  EXPECT_EQ(keys.size(), 206u);
  EXPECT_EQ(carried.size(), 208u);
}

TEST(NtxFixtures, WalkBackwardsIsTheReverseOfForwards) {
  auto f = openFixture("ORDKEY.NTX");
  auto fwd = walk(*f);
  std::vector<KeyRec> back;
  NtxCursor c;
  for (bool on = f->bottom(c); on; on = f->prev(c)) back.push_back({c.key, c.recno});
  std::reverse(back.begin(), back.end());
  EXPECT_EQ(back, fwd);
}

TEST(NtxFixtures, SeeksFindExactPartialAndMissingKeys) {
  auto f = openFixture("BIGKOD.NTX");
  const auto keys = test::expectedKeys("BIGKOD.NTX");
  std::map<std::string, std::uint32_t> firstOf;
  for (const auto& k : keys) firstOf.emplace(k.key, k.recno);
  NtxCursor c;
  for (const auto& [key, recno] : firstOf) {
    ASSERT_EQ(f->seek(c, key), NtxFile::Seek::Found) << key;
    EXPECT_EQ(c.recno, recno) << key;  // the first of equal keys
  }
  struct Case {
    std::string key;
    NtxFile::Seek result;
    std::string landsOn;  // first key at or after
  };
  const auto it = firstOf.upper_bound("M");
  const std::vector<Case> cases = {
      {keys.front().key.substr(0, 3), NtxFile::Seek::Found, keys.front().key},
      {"M", it->first[0] == 'M' ? NtxFile::Seek::Found : NtxFile::Seek::NotFound, it->first},
      {" ", NtxFile::Seek::NotFound, keys.front().key},  // a blank sorts before digits and letters
      {"~", NtxFile::Seek::End, ""},
  };
  for (const Case& cs : cases) {
    SCOPED_TRACE(cs.key);
    const auto r = f->seek(c, cs.key);
    EXPECT_EQ(r, cs.result);
    if (r != NtxFile::Seek::End) EXPECT_EQ(c.key, cs.landsOn);
    else EXPECT_FALSE(c.valid());
  }
  // A key between two stored keys lands on the greater one.
  const std::string between = keys[100].key.substr(0, 9) + "~";
  ASSERT_NE(f->seek(c, between), NtxFile::Seek::Found);
  EXPECT_GT(c.key, between);
  EXPECT_EQ(c.key, firstOf.upper_bound(between)->first);
}

TEST(NtxFixtures, DescendingIndexSeeksInItsOwnOrder) {
  auto f = openFixture("ORDKOND.NTX");
  const auto keys = test::expectedKeys("ORDKOND.NTX");
  NtxCursor c;
  ASSERT_TRUE(f->top(c));
  EXPECT_EQ(c.key, keys.front().key);  // the greatest contractor number first
  const std::string& some = keys[keys.size() / 2].key;
  ASSERT_EQ(f->seek(c, some), NtxFile::Seek::Found);
  EXPECT_EQ(c.key, some);
  std::string above = some;
  above.back() = static_cast<char>(above.back() + 1);
  const auto r = f->seek(c, above);
  if (r == NtxFile::Seek::NotFound) {
    EXPECT_LT(c.key, above);  // the next key down
  }
}

TEST(NtxFixtures, NumericKeysSeekBySignedValue) {
  auto f = openFixture("ALLNDEC.NTX");
  NtxCursor c;
  ASSERT_TRUE(f->top(c));
  EXPECT_EQ(c.key, test::numericKeyOf("-9999.99"));  // the most negative first
  ASSERT_TRUE(f->bottom(c));
  EXPECT_EQ(c.key, test::numericKeyOf("99999.99"));
  EXPECT_EQ(f->seek(c, test::numericKeyOf("   -0.01")), NtxFile::Seek::Found);
}

TEST(NtxFile, SharedUseLocksAndNoticesAnotherWritersChange) {
  std::shared_ptr<test::MemData> data;
  auto bytes = testkit::readFile(testkit::fixture("BIGKOD.NTX"));
  auto a = NtxFile::adopt(test::MemFile::of(bytes, &data), NtxUse::Shared);
  auto b = NtxFile::adopt(std::make_unique<test::MemFile>(data), NtxUse::Shared);
  NtxCursor ca;
  ASSERT_TRUE(a->top(ca));
  const int locksBefore = data->locks;
  const std::uint16_t version = a->header().version;
  const std::string key(10, '0');  // sorts before every stored key
  ASSERT_TRUE(b->insert(key, 9999));
  EXPECT_GT(data->locks, locksBefore);
  EXPECT_EQ(data->locks, data->unlocks);
  EXPECT_EQ(a->header().version, static_cast<std::uint16_t>(version + 1));
  NtxCursor top;
  ASSERT_TRUE(a->top(top));
  EXPECT_EQ(top.key, key);  // a dropped its cached pages
  // a's older cursor is found again by key and record number and steps on.
  const std::string before = ca.key;
  ASSERT_TRUE(a->next(ca));
  EXPECT_GT(ca.key, before);
}

TEST(NtxFile, RejectsFilesThatAreNotIndexes) {
  std::string junk(2048, '\0');
  junk[0] = 'X';
  EXPECT_THROW(NtxFile::adopt(test::MemFile::of(junk), NtxUse::Exclusive), base::Corrupt);
  EXPECT_THROW(NtxFile::adopt(test::MemFile::of("short"), NtxUse::Exclusive), base::Corrupt);
  // A root pointing past the end of the file.
  auto bytes = testkit::readFile(testkit::fixture("ALLTEXT.NTX"));
  bytes[5] = 0x40;
  auto f = NtxFile::adopt(test::MemFile::of(bytes), NtxUse::Exclusive);
  NtxCursor c;
  EXPECT_THROW(f->top(c), base::Corrupt);
}

}  // namespace
}  // namespace xbase

namespace xbase {
namespace {

// Real files, each NtxFile its own open file description: the index lock byte excludes
// other openers exactly while a change (exclusive) or a walk (shared) is under way.
TEST(NtxFile, IndexLockByteGuardsChangesBetweenOpeners) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  const std::string path = (dir / "K.NTX").string();
  ASSERT_TRUE(NtxFile::create(env, path, NtxDefinition{"KOD", "", 4, 0, false, false}, NtxUse::Shared).has_value());
  auto a = NtxFile::open(env, path, sys::Access::ReadWrite, NtxUse::Shared).value();
  auto b = NtxFile::open(env, path, sys::Access::ReadWrite, NtxUse::Shared).value();
  auto probe = env.open(path, sys::Access::ReadWrite).value();
  const std::uint64_t at = ntx::kIndexLockOffset;
  {
    NtxFile::Scope w(*a, NtxFile::Scope::Kind::Write);
    ASSERT_TRUE(a->insert("AAAA", 1));
    EXPECT_TRUE(probe->lockRange(at, 1, sys::LockKind::Shared, sys::Wait::No).is(base::Errc::Locked));
  }
  {
    NtxFile::Scope r(*a, NtxFile::Scope::Kind::Read);
    EXPECT_TRUE(probe->lockRange(at, 1, sys::LockKind::Exclusive, sys::Wait::No).is(base::Errc::Locked));
    EXPECT_TRUE(probe->lockRange(at, 1, sys::LockKind::Shared, sys::Wait::No).isOk());
    EXPECT_TRUE(probe->unlockRange(at, 1).isOk());
  }
  EXPECT_TRUE(probe->lockRange(at, 1, sys::LockKind::Exclusive, sys::Wait::No).isOk());
  EXPECT_TRUE(probe->unlockRange(at, 1).isOk());
  // b reads what a wrote, and a sees b's change on its next call.
  NtxCursor c;
  ASSERT_EQ(b->seek(c, "AAAA"), NtxFile::Seek::Found);
  for (std::uint32_t r = 2; r <= 300; ++r) ASSERT_TRUE(b->insert("B" + std::to_string(1000 + r).substr(1), r));
  EXPECT_EQ(a->checkInvariants().keys, 300u);
  ASSERT_EQ(a->seek(c, "B299"), NtxFile::Seek::Found);
  EXPECT_EQ(c.recno, 299u);
}


// Changes through an index opened read-only are refused as such, before anything is locked
// or written, in either use; reading goes on as before.
TEST(NtxFile, ChangesThroughAReadOnlyIndexAreRefused) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  const std::string path = (dir / "K.NTX").string();
  {
    auto w = NtxFile::create(env, path, NtxDefinition{"KOD", "", 4, 0, false, false}, NtxUse::Exclusive).value();
    ASSERT_TRUE(w->insert("AAAA", 1));
  }
  const std::string before = testkit::readFile(path);
  for (NtxUse use : {NtxUse::Exclusive, NtxUse::Shared}) {
    auto f = NtxFile::open(env, path, sys::Access::ReadOnly, use).value();
    EXPECT_TRUE(f->readOnly());
    EXPECT_TRUE(f->insert("BBBB", 2).is(base::Errc::Refused));
    EXPECT_TRUE(f->remove("AAAA", 1).is(base::Errc::Refused));
    {
      NtxFile::Scope scope(*f, NtxFile::Scope::Kind::Write);  // takes only the read lock
      EXPECT_TRUE(f->insert("BBBB", 2).is(base::Errc::Refused));
    }
    NtxCursor c;
    EXPECT_EQ(f->seek(c, "AAAA"), NtxFile::Seek::Found);
    EXPECT_FALSE(f->next(c));
  }
  EXPECT_EQ(testkit::readFile(path), before);
}

}  // namespace
}  // namespace xbase
