// tests/xbase/ntx_build_test.cpp — building an index from all its keys: byte equality with
// a reference build, memory-bounded runs, every tree shape valid.
#include "xbase/ntx_build.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "testkit/temp_dir.hpp"
#include "xbase/internal/ntx_writer.hpp"
#include "xbase/mem_file.hpp"
#include "xbase/ntx_fixture.hpp"

namespace xbase {
namespace {

std::string bytesOf(test::MemEnv& env, const std::string& path) {
  const auto& b = env.files.at(path)->bytes;
  return std::string(reinterpret_cast<const char*>(b.data()), b.size());
}

// The first differing byte, as "page N byte M", to make a failure readable.
std::string firstDifference(const std::string& a, const std::string& b) {
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) return "page " + std::to_string(i / 1024) + " byte " + std::to_string(i % 1024);
  return a.size() == b.size() ? "none" : "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
}

TEST(NtxBuild, BuildOfTheReferenceTableEqualsTheReferenceIndexByteForByte) {
  const auto table = test::readDump("BIG.dump.tsv");
  test::MemEnv env;
  NtxBuilder b(env, "BIGKOD.NTX", NtxDefinition{"KOD", "", 10, 0, false, false});
  for (std::size_t r = 0; r < table.rows.size(); ++r)
    ASSERT_TRUE(b.add(table.value(r, "KOD"), static_cast<std::uint32_t>(r + 1)));
  ASSERT_TRUE(b.finish());
  const std::string want = testkit::readFile(testkit::fixture("BIGKOD.NTX"));
  const std::string got = bytesOf(env, "BIGKOD.NTX");
  EXPECT_EQ(firstDifference(got, want), "none");
  EXPECT_FALSE(env.exists("BIGKOD.NTX.new"));
}

// The page writer alone, fed the keys of an index built under another collation in the
// order that index holds them: page filling, numbering and buffer reuse give its bytes.
TEST(NtxBuild, PageWriterReproducesAReferenceBuildOfAnotherShape) {
  const std::string want = testkit::readFile(testkit::fixture("ORDNAZPL.NTX"));
  auto ref = NtxFile::adopt(test::MemFile::of(want), NtxUse::Exclusive);
  test::MemEnv env;
  auto out = env.open("X.NTX", sys::Access::ReadWrite, sys::Creation::CreateOrTruncate).value();
  const ntx::Header& h = ref->header();
  ntx::TreeWriter w(*out, ntx::Geometry{h.maxItems, h.keySize}, h.halfPage);
  NtxCursor c;
  for (bool on = ref->top(c); on; on = ref->next(c)) w.add(c.key, c.recno);
  EXPECT_EQ(w.finish(), h.root);
  std::string got = bytesOf(env, "X.NTX");
  got.replace(0, 1024, want.substr(0, 1024));
  EXPECT_EQ(firstDifference(got, want), "none");
}

std::string key100(std::uint32_t v) {
  std::string s = std::to_string(v);
  return std::string(8 - s.size(), '0') + s + std::string(92, ' ');
}

// Page counts around the page size and the level boundaries, where the last pages of a
// level share keys with their neighbours (M = 8 here).
TEST(NtxBuild, EveryKeyCountGivesAValidTreeWithAllKeysInOrder) {
  for (std::uint32_t n : {0u, 1u, 8u, 9u, 10u, 12u, 13u, 17u, 18u, 80u, 81u, 89u, 90u, 729u, 730u, 800u, 5000u}) {
    SCOPED_TRACE(n);
    test::MemEnv env;
    NtxBuilder b(env, "T.NTX", NtxDefinition{"K", "", 100, 0, false, false});
    for (std::uint32_t r = 1; r <= n; ++r) ASSERT_TRUE(b.add(key100(r), r));
    ASSERT_TRUE(b.finish());
    auto f = NtxFile::open(env, "T.NTX", sys::Access::ReadWrite, NtxUse::Exclusive).value();
    EXPECT_EQ(f->checkInvariants().keys, n);
    NtxCursor c;
    std::uint32_t expect = 1;
    for (bool on = f->top(c); on; on = f->next(c)) ASSERT_EQ(c.recno, expect++);
    EXPECT_EQ(expect, n + 1);
    // A built index takes changes like any other.
    ASSERT_TRUE(f->insert(key100(0), 99999));
    EXPECT_EQ(f->checkInvariants().keys, n + 1);
  }
}

TEST(NtxBuild, RunsSpilledUnderASmallBudgetGiveTheSameFile) {
  std::mt19937 rng(5);
  std::vector<std::string> keys;
  for (int i = 0; i < 20000; ++i) keys.push_back(std::to_string(rng() % 5000) + "xxxxxxxxx");
  auto build = [&](std::size_t memory, test::MemEnv& env) {
    NtxBuilder b(env, "T.NTX", NtxDefinition{"K", "", 8, 0, false, false}, memory);
    for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_TRUE(b.add(keys[i].substr(0, 8), static_cast<std::uint32_t>(i + 1)));
    EXPECT_TRUE(b.finish());
    return b.runsWritten();
  };
  test::MemEnv one, many;
  EXPECT_EQ(build(NtxBuilder::kDefaultMemory, one), 0u);
  EXPECT_GE(build(64 * 1024, many), 5u);
  EXPECT_EQ(firstDifference(bytesOf(many, "T.NTX"), bytesOf(one, "T.NTX")), "none");
  EXPECT_EQ(many.files.size(), 1u);  // run files removed
}

// Keys of few symbols, of many, with long shared parts and with bytes above 127, ascending
// and descending, come out in the order of a stable sort of the keys.
TEST(NtxBuild, KeysComeOutInTheOrderOfAStableSort) {
  struct Case {
    const char* name;
    std::string symbols;
    std::size_t size, tail;  // key bytes, of which the last `tail` are drawn from symbols
  };
  std::string everyByte;
  for (int v = 1; v < 256; ++v) everyByte += static_cast<char>(v);
  const Case cases[] = {{"digits", "0123456789", 14, 14},
                        {"two letters", "AB", 12, 12},
                        {"shared start", "0123456789 ", 40, 9},
                        {"every byte", everyByte, 10, 10},
                        {"long and few", "xy", 60, 60}};
  std::mt19937 rng(11);
  for (const Case& c : cases)
    for (bool descending : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (descending ? " descending" : ""));
      std::vector<std::pair<std::string, std::uint32_t>> keys;
      for (std::uint32_t r = 1; r <= 30000; ++r) {
        std::string k(c.size - c.tail, 'K');
        for (std::size_t i = 0; i < c.tail; ++i) k += c.symbols[rng() % c.symbols.size()];
        keys.emplace_back(k, r);
      }
      test::MemEnv env;
      NtxBuilder b(env, "T.NTX", NtxDefinition{"K", "", static_cast<std::uint16_t>(c.size), 0, false, descending});
      for (const auto& [k, r] : keys) ASSERT_TRUE(b.add(k, r));
      ASSERT_TRUE(b.finish());
      std::stable_sort(keys.begin(), keys.end(), [&](const auto& x, const auto& y) {
        return descending ? x.first > y.first : x.first < y.first;
      });
      auto f = NtxFile::open(env, "T.NTX", sys::Access::ReadOnly, NtxUse::Exclusive).value();
      NtxCursor cur;
      std::size_t at = 0;
      for (bool on = f->top(cur); on; on = f->next(cur), ++at) {
        ASSERT_LT(at, keys.size());
        ASSERT_EQ(cur.key, keys[at].first) << at;
        ASSERT_EQ(cur.recno, keys[at].second) << at;
      }
      EXPECT_EQ(at, keys.size());
    }
}

TEST(NtxBuild, UniqueAndDescendingBuildsMatchTheReferenceIndexes) {
  struct Case {
    const char* ntx;
    const char* field;
    std::uint16_t size;
    bool unique, descending;
  };
  for (const Case& c : {Case{"ALLTEXT.NTX", "C_TEXT", 10, true, false}, Case{"ORDKOND.NTX", "NR_KON", 5, false, true}}) {
    SCOPED_TRACE(c.ntx);
    const bool all = std::string(c.ntx).rfind("ALL", 0) == 0;
    const auto table = test::readDump(all ? "ALLTYPES.dump.tsv" : "ORDERS.dump.tsv");
    test::MemEnv env;
    NtxBuilder b(env, "T.NTX", NtxDefinition{c.field, "", c.size, 0, c.unique, c.descending});
    for (std::size_t r = 0; r < table.rows.size(); ++r)
      ASSERT_TRUE(b.add(table.value(r, c.field), static_cast<std::uint32_t>(r + 1)));
    ASSERT_TRUE(b.finish());
    auto f = NtxFile::open(env, "T.NTX", sys::Access::ReadOnly, NtxUse::Exclusive).value();
    f->checkInvariants();
    std::vector<test::KeyRec> got;
    NtxCursor cur;
    for (bool on = f->top(cur); on; on = f->next(cur)) got.push_back({cur.key, cur.recno});
    if (all) {
      EXPECT_EQ(got, test::expectedKeys(c.ntx));
      EXPECT_EQ(firstDifference(bytesOf(env, "T.NTX"), testkit::readFile(testkit::fixture(c.ntx))), "none");
    } else {
      EXPECT_EQ(got.size(), 3052u);
      EXPECT_GT(got.front().key, got.back().key);
    }
  }
}

}  // namespace
}  // namespace xbase
