#include "xbase/dbt_file.hpp"

#include <gtest/gtest.h>

#include "base/bytes.hpp"
#include "base/fault.hpp"
#include "sys/posix_env.hpp"
#include "xbase_testing.hpp"

namespace {

using namespace xbase_testing;

class DbtFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto f = env_.open(dir_ / "T.DBT", sys::Access::ReadWrite, sys::Creation::CreateNew);
    ASSERT_TRUE(f);
    xbase::DbtFile::initialise(**f);
    dbt_ = std::make_unique<xbase::DbtFile>(std::move(*f), xbase::DbtFile::Locking::Shared);
  }
  std::uint32_t nextFree() { return base::loadU32le(readBytes(dir_ / "T.DBT").data()); }
  std::uint32_t put(std::uint32_t old, const std::string& text) {
    auto r = dbt_->write(old, text);
    EXPECT_TRUE(r) << r.status().toString();
    return r ? *r : 0;
  }

  testkit::TempDir dir_;
  sys::PosixEnv env_;
  std::unique_ptr<xbase::DbtFile> dbt_;
};

TEST_F(DbtFileTest, ANewFileHasTheReferenceHeaderLayout) {
  const auto ours = readBytes(dir_ / "T.DBT");
  const auto ref = readBytes(testkit::fixture("ALLTYPES.DBT"));
  ASSERT_EQ(ours.size(), 512u);
  EXPECT_EQ(nextFree(), 1u);
  EXPECT_TRUE(std::equal(ours.begin() + 4, ours.end(), ref.begin() + 4));  // all but the next free block
}

TEST_F(DbtFileTest, MemosTakeLengthDiv512PlusOneBlocks) {
  struct Case { std::size_t length; std::uint32_t blocks; };
  const Case cases[] = {{1, 1}, {510, 1}, {511, 1}, {512, 2}, {1030, 3}, {3000, 6}};
  std::uint32_t expected = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string text(c.length, 'a' + static_cast<char>(c.length % 26));
    EXPECT_EQ(put(0, text), expected);
    expected += c.blocks;
    EXPECT_EQ(nextFree(), expected);
  }
  // a 511-byte memo keeps only one terminator in its block; its neighbour overwrote the other
  EXPECT_EQ(dbt_->read(3), std::string(511, 'a' + 511 % 26));
  EXPECT_EQ(dbt_->read(4), std::string(512, 'a' + 512 % 26));
  EXPECT_EQ(dbt_->read(6), std::string(1030, 'a' + 1030 % 26));
}

TEST_F(DbtFileTest, RewritesReuseOldBlocksOrMoveToTheEnd) {
  const std::uint32_t a = put(0, std::string(1000, 'a'));  // blocks 1-2
  const std::uint32_t b = put(0, std::string(100, 'b'));   // block 3, the last memo
  ASSERT_EQ(nextFree(), 4u);

  EXPECT_EQ(put(a, std::string(1023, 'A')), a);  // still two blocks: in place
  EXPECT_EQ(dbt_->read(a), std::string(1023, 'A'));
  EXPECT_EQ(dbt_->read(b), std::string(100, 'b'));  // the second 0x1A was not written into b's block

  EXPECT_EQ(put(a, std::string(1024, 'x')), 4u);  // three blocks: moves to the end
  EXPECT_EQ(nextFree(), 7u);
  EXPECT_EQ(dbt_->read(b), std::string(100, 'b'));

  EXPECT_EQ(put(4, std::string(2000, 'y')), 4u);  // the last memo grows where it is
  EXPECT_EQ(nextFree(), 8u);
  EXPECT_EQ(put(4, "z"), 4u);
  EXPECT_EQ(dbt_->read(4), "z");

  EXPECT_EQ(put(b, ""), 0u);  // empty: no blocks, the old ones abandoned
  EXPECT_EQ(dbt_->read(0), "");
}

TEST_F(DbtFileTest, RefusesTextThatReadersWouldCutAndBlocksPastTheEnd) {
  auto r = dbt_->write(0, std::string("ab\x1A" "cd"));
  ASSERT_FALSE(r);
  EXPECT_TRUE(r.error().is(base::Errc::Invalid));
  EXPECT_EQ(nextFree(), 1u);
  EXPECT_THROW(dbt_->read(9), base::Corrupt);
}

TEST(DbtFile, ReadsTheReferenceMemos) {
  sys::PosixEnv env;
  auto f = env.open(testkit::fixture("ALLTYPES.DBT"), sys::Access::ReadOnly);
  ASSERT_TRUE(f);
  xbase::DbtFile dbt(std::move(*f), xbase::DbtFile::Locking::None);
  EXPECT_EQ(dbt.read(1), "x");
}

}  // namespace
