#include "sys/fault_env.hpp"

#include <gtest/gtest.h>

#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"

namespace {

using base::Errc;

std::span<const std::byte> bytes(std::string_view s) { return std::as_bytes(std::span(s.data(), s.size())); }

TEST(FaultEnv, FailsOnlyTheChosenCallOfTheChosenOperation) {
  testkit::TempDir dir;
  sys::PosixEnv real;
  sys::FaultEnv env(real);
  auto f = env.open(dir / "T", sys::Access::ReadWrite, sys::Creation::OpenOrCreate).value();
  env.failNth(sys::FaultOp::Write, 2);
  EXPECT_TRUE(f->writeAt(0, bytes("ab")).isOk());
  EXPECT_TRUE(f->writeAt(2, bytes("cd")).is(Errc::Io));
  EXPECT_TRUE(f->writeAt(2, bytes("ef")).isOk());  // fires once
  EXPECT_EQ(testkit::readFile(dir / "T"), "abef");

  env.failNth(sys::FaultOp::Sync, 1);
  EXPECT_TRUE(f->sync().is(Errc::Io));
  EXPECT_TRUE(f->sync().isOk());

  env.failNth(sys::FaultOp::Rename, 1);
  EXPECT_TRUE(env.rename(dir / "T", dir / "U").is(Errc::Io));
  EXPECT_TRUE(env.exists(dir / "T"));
  EXPECT_TRUE(env.rename(dir / "T", dir / "U").isOk());
  EXPECT_EQ(env.calls(sys::FaultOp::Rename), 2);
}

TEST(FaultEnv, ATornWriteStoresOnlyItsFirstBytes) {
  testkit::TempDir dir;
  sys::PosixEnv real;
  sys::FaultEnv env(real);
  auto f = env.open(dir / "T", sys::Access::ReadWrite, sys::Creation::OpenOrCreate).value();
  env.cutNthWrite(1, 3);
  EXPECT_TRUE(f->writeAt(0, bytes("abcdef")).is(Errc::Io));
  EXPECT_EQ(testkit::readFile(dir / "T"), "abc");
}

}  // namespace
