#include "sys/deferred_commit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sys/fault_env.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"

namespace {

std::span<const std::byte> bytes(std::string_view s) { return std::as_bytes(std::span(s.data(), s.size())); }

// Writes `text` to `dir/name.new` and hands it over to become `dir/name`.
void handOver(sys::Env& env, sys::DeferredCommit& commit, const testkit::TempDir& dir, const std::string& name,
              std::string_view text) {
  const std::string temporary = dir / (name + ".new");
  auto f = env.open(temporary, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate).value();
  ASSERT_TRUE(f->writeAt(0, bytes(text)).isOk());
  commit.commit(std::move(f), temporary, dir / name);
}

TEST(DeferredCommit, FilesTakeTheirNamesInOrderAndAFailureIsReportedOnce) {
  testkit::TempDir dir;
  sys::PosixEnv real;
  sys::FaultEnv env(real);
  sys::DeferredCommit commit(env);
  std::vector<std::string> done;
  handOver(env, commit, dir, "A", "first");
  commit.later([&] {
    done.push_back(testkit::readFile(dir / "A"));  // A is in place by now
    return base::Status::ok();
  });
  EXPECT_TRUE(commit.wait().isOk());
  env.failNth(sys::FaultOp::Rename, 1);  // B's
  handOver(env, commit, dir, "B", "second");
  handOver(env, commit, dir, "C", "third");
  EXPECT_TRUE(commit.wait().is(base::Errc::Io));
  EXPECT_EQ(done, (std::vector<std::string>{"first"}));
  EXPECT_EQ(testkit::readFile(dir / "C"), "third");
  EXPECT_FALSE(env.exists(dir / "B"));
  EXPECT_FALSE(env.exists(dir / "B.new")) << "a failed file is removed";
  EXPECT_TRUE(commit.wait().isOk()) << "each failure is reported once";
}

TEST(DeferredCommit, LeavingWaitsForEveryFileHandedOver) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  {
    sys::DeferredCommit commit(env);
    for (int i = 0; i < 20; ++i) handOver(env, commit, dir, "F" + std::to_string(i), std::to_string(i));
  }
  for (int i = 0; i < 20; ++i) EXPECT_EQ(testkit::readFile(dir / ("F" + std::to_string(i))), std::to_string(i));
}

}  // namespace
