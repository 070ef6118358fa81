// tests/xbase/ntx_tree_test.cpp — inserts and deletes against a model, with the tree's
// rules checked after every step; duplicates, UNIQUE, descending order, page reuse.
#include "xbase/internal/ntx_tree.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "xbase/mem_file.hpp"
#include "xbase/ntx_file.hpp"

namespace xbase {
namespace {

using Model = std::multimap<std::string, std::uint32_t>;

struct Index {
  test::MemEnv env;
  std::unique_ptr<NtxFile> f;
  explicit Index(NtxDefinition def, NtxUse use = NtxUse::Exclusive) {
    f = NtxFile::create(env, "T.NTX", def, use).value();
  }
  std::size_t fileSize() { return env.files.at("T.NTX")->bytes.size(); }
};

NtxDefinition smallPages(bool unique = false, bool descending = false) {
  // Key size 100 gives M = 8 keys a page: many levels, splits and merges from few keys.
  return NtxDefinition{"K", "", 100, 0, unique, descending};
}

std::string key100(const std::string& s) { return s + std::string(100 - s.size(), ' '); }

std::vector<std::pair<std::string, std::uint32_t>> walk(NtxFile& f) {
  std::vector<std::pair<std::string, std::uint32_t>> out;
  NtxCursor c;
  for (bool on = f.top(c); on; on = f.next(c)) out.emplace_back(c.key, c.recno);
  return out;
}

std::vector<std::pair<std::string, std::uint32_t>> flatten(const Model& m, bool descending) {
  std::vector<std::pair<std::string, std::uint32_t>> out(m.begin(), m.end());
  if (descending) {  // equal keys still in insertion order
    std::vector<std::pair<std::string, std::uint32_t>> rev;
    for (auto it = m.rbegin(); it != m.rend();) {
      auto range = m.equal_range(it->first);
      for (auto j = range.first; j != range.second; ++j) rev.push_back(*j);
      it = std::make_reverse_iterator(range.first);
    }
    return rev;
  }
  return out;
}

void randomSteps(bool descending, unsigned seed) {
  Index ix(smallPages(false, descending));
  Model model;
  std::mt19937 rng(seed);
  std::uint32_t nextRec = 1;
  for (int step = 0; step < 3000; ++step) {
    const bool insert = model.empty() || rng() % 100 < (step < 1500 ? 70 : 35);
    if (insert) {
      const std::string k = key100(std::to_string(rng() % 300));  // many duplicates
      ASSERT_TRUE(ix.f->insert(k, nextRec));
      model.emplace(k, nextRec++);
    } else {
      auto it = model.begin();
      std::advance(it, static_cast<long>(rng() % model.size()));
      ASSERT_TRUE(ix.f->remove(it->first, it->second)) << step;
      model.erase(it);
    }
    const NtxStats st = ix.f->checkInvariants();
    ASSERT_EQ(st.keys, model.size()) << step;
    if (step % 97 == 0) {
      ASSERT_EQ(walk(*ix.f), flatten(model, descending)) << step;
    }
  }
  EXPECT_EQ(walk(*ix.f), flatten(model, descending));
}

TEST(NtxTree, RandomInsertsAndDeletesKeepAValidTreeInModelOrder) {
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    randomSteps(false, seed);
  }
}

TEST(NtxTree, DescendingIndexKeepsReversedOrderThroughChanges) { randomSteps(true, 7); }

TEST(NtxTree, EqualKeysGoAfterThoseAlreadyThere) {
  Index ix(smallPages());
  const std::string a = key100("A");
  for (std::uint32_t r : {50u, 10u, 30u, 20u}) ASSERT_TRUE(ix.f->insert(a, r));
  for (std::uint32_t r = 100; r < 140; ++r) ASSERT_TRUE(ix.f->insert(key100(std::to_string(r)), r));
  std::vector<std::uint32_t> order;
  NtxCursor c;
  for (auto s = ix.f->seek(c, "A"); s == NtxFile::Seek::Found && c.key == a; s = ix.f->next(c) ? s : NtxFile::Seek::End)
    order.push_back(c.recno);
  EXPECT_EQ(order, (std::vector<std::uint32_t>{50, 10, 30, 20}));
  // Deleting finds the one record among equal keys.
  ASSERT_TRUE(ix.f->remove(a, 30));
  EXPECT_TRUE(ix.f->remove(a, 30).is(base::Errc::NotFound));
  EXPECT_TRUE(ix.f->remove(key100("B"), 10).is(base::Errc::NotFound));
  ASSERT_TRUE(ix.f->find(c, a, 20));
  ASSERT_TRUE(ix.f->prev(c));
  EXPECT_EQ(c.recno, 10u);
}

TEST(NtxTree, UniqueIndexRefusesAnEqualKeyAndTakesItBackAfterDelete) {
  Index ix(smallPages(false));
  for (std::uint32_t r = 1; r <= 60; ++r) ASSERT_TRUE(ix.f->insert(key100(std::to_string(r % 30)), r));
  EXPECT_EQ(ix.f->checkInvariants().keys, 60u);
  Index u(smallPages(true));
  for (std::uint32_t r = 1; r <= 60; ++r)
    EXPECT_EQ(u.f->insert(key100(std::to_string(r % 30)), r).code(), r <= 30 ? base::Errc::Ok : base::Errc::Exists);
  EXPECT_EQ(u.f->checkInvariants().keys, 30u);
  ASSERT_TRUE(u.f->remove(key100("7"), 7));
  EXPECT_TRUE(u.f->insert(key100("7"), 37));
  NtxCursor c;
  ASSERT_EQ(u.f->seek(c, key100("7")), NtxFile::Seek::Found);
  EXPECT_EQ(c.recno, 37u);
}

TEST(NtxTree, FreedPagesAreReusedBeforeTheFileGrows) {
  Index ix(smallPages());
  for (std::uint32_t r = 1; r <= 400; ++r) ASSERT_TRUE(ix.f->insert(key100(std::to_string(r)), r));
  const std::size_t full = ix.fileSize();
  for (std::uint32_t r = 1; r <= 400; ++r) ASSERT_TRUE(ix.f->remove(key100(std::to_string(r)), r));
  EXPECT_EQ(ix.f->checkInvariants().keys, 0u);
  EXPECT_NE(ix.f->header().freeList, 0u);
  for (std::uint32_t r = 1; r <= 400; ++r) ASSERT_TRUE(ix.f->insert(key100(std::to_string(r)), r));
  EXPECT_EQ(ix.fileSize(), full);
  EXPECT_EQ(ix.f->checkInvariants().keys, 400u);
}

TEST(NtxTree, CursorStepsOnAfterItsOwnIndexChanged) {
  Index ix(smallPages());
  for (std::uint32_t r = 1; r <= 100; ++r) ASSERT_TRUE(ix.f->insert(key100(std::to_string(1000 + r)), r));
  NtxCursor c;
  ASSERT_EQ(ix.f->seek(c, key100("1050")), NtxFile::Seek::Found);
  // Splits and merges move keys between pages under the cursor.
  for (std::uint32_t r = 1; r <= 40; ++r) ASSERT_TRUE(ix.f->remove(key100(std::to_string(1000 + r)), r));
  for (std::uint32_t r = 200; r <= 260; ++r) ASSERT_TRUE(ix.f->insert(key100(std::to_string(1000 + r)), r));
  ASSERT_TRUE(ix.f->next(c));
  EXPECT_EQ(c.key, key100("1051"));
  // The record under the cursor left the index: the next key after it follows.
  ASSERT_TRUE(ix.f->remove(key100("1051"), 51));
  ASSERT_TRUE(ix.f->next(c));
  EXPECT_EQ(c.key, key100("1052"));
  ASSERT_TRUE(ix.f->remove(key100("1052"), 52));
  ASSERT_TRUE(ix.f->prev(c));
  EXPECT_EQ(c.key, key100("1050"));
}

TEST(NtxTree, EmptyIndexHasNoKeysAndEndsEverySeek) {
  Index ix(smallPages());
  NtxCursor c;
  EXPECT_FALSE(ix.f->top(c));
  EXPECT_FALSE(ix.f->bottom(c));
  EXPECT_EQ(ix.f->seek(c, "x"), NtxFile::Seek::End);
  EXPECT_EQ(ix.f->checkInvariants().keys, 0u);
  EXPECT_EQ(ix.fileSize(), 2048u);
}

}  // namespace
}  // namespace xbase
