#include "sys/posix_env.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "testkit/temp_dir.hpp"

namespace {

using base::Errc;
using sys::Access;
using sys::Creation;
using sys::LockKind;
using sys::Wait;

constexpr std::uint64_t kBase = 1'000'000'000;

std::span<const std::byte> bytes(const char* s) { return std::as_bytes(std::span(s, std::strlen(s))); }

std::unique_ptr<sys::File> openRw(sys::Env& env, const std::string& path) {
  auto f = env.open(path, Access::ReadWrite, Creation::OpenOrCreate);
  EXPECT_TRUE(f) << f.status().toString();
  return std::move(*f);
}

TEST(PosixFile, ReadsWritesTruncatesAndReportsSize) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  auto f = openRw(env, dir / "A.DBF");
  ASSERT_TRUE(f->writeAt(3, bytes("xyz")).isOk());
  EXPECT_EQ(*f->size(), 6u);
  std::byte buf[10];
  auto n = f->readAt(0, buf);
  ASSERT_EQ(*n, 6u);  // short only at the end of the file
  EXPECT_EQ(buf[0], std::byte{0});
  EXPECT_EQ(buf[5], std::byte{'z'});
  ASSERT_TRUE(f->truncate(4).isOk());
  EXPECT_EQ(*f->size(), 4u);
  EXPECT_TRUE(f->sync().isOk());
}

TEST(PosixEnv, ReportsOsFailuresAsValues) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  EXPECT_TRUE(env.open(dir / "NONE.DBF", Access::ReadOnly).error().is(Errc::NotFound));
  auto a = env.open(dir / "N.DBF", Access::ReadWrite, Creation::CreateNew);
  ASSERT_TRUE(a);
  EXPECT_TRUE(env.open(dir / "N.DBF", Access::ReadWrite, Creation::CreateNew).error().is(Errc::Exists));
  EXPECT_FALSE(env.open(dir.path().string(), Access::ReadOnly));  // a folder is not a file
  EXPECT_TRUE(env.rename(dir / "NONE", dir / "X").is(Errc::NotFound));
  EXPECT_TRUE(env.remove(dir / "NONE").is(Errc::NotFound));
}

TEST(PosixEnv, ManagesFoldersAndListsThemSorted) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  ASSERT_TRUE(env.makeDir(dir / "SUB").isOk());
  EXPECT_TRUE(env.makeDir(dir / "SUB").isOk());
  openRw(env, dir / "B.DBF")->writeAt(0, bytes("12345")).isOk();
  openRw(env, dir / "A.NTX");
  ASSERT_TRUE(env.rename(dir / "A.NTX", dir / "C.NTX").isOk());
  EXPECT_FALSE(env.exists(dir / "A.NTX"));
  auto l = env.list(dir.path().string());
  ASSERT_TRUE(l);
  ASSERT_EQ(l->size(), 3u);
  EXPECT_EQ((*l)[0].name, "B.DBF");
  EXPECT_EQ((*l)[0].size, 5u);
  EXPECT_EQ((*l)[1].name, "C.NTX");
  EXPECT_TRUE((*l)[2].isDir);
  ASSERT_TRUE(env.remove(dir / "C.NTX").isOk());
  EXPECT_FALSE(env.exists(dir / "C.NTX"));
  EXPECT_FALSE(env.isNetworkFileSystem(dir.path().string()));
}

TEST(PosixFile, TwoOpensInOneProcessExcludeEachOtherLikeTwoProcesses) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  auto a = openRw(env, dir / "T.DBF");
  auto b = openRw(env, dir / "T.DBF");
  ASSERT_TRUE(a->lockRange(kBase + 7, 1, LockKind::Exclusive, Wait::No).isOk());
  EXPECT_TRUE(b->lockRange(kBase + 7, 1, LockKind::Exclusive, Wait::No).is(Errc::Locked));
  EXPECT_TRUE(b->lockRange(kBase + 8, 1, LockKind::Exclusive, Wait::No).isOk());
  // the whole-file range covers every record byte
  EXPECT_TRUE(b->lockRange(kBase + 1, kBase, LockKind::Exclusive, Wait::No).is(Errc::Locked));
  ASSERT_TRUE(a->unlockRange(kBase + 7, 1).isOk());
  ASSERT_TRUE(b->unlockRange(kBase + 8, 1).isOk());
  EXPECT_TRUE(b->lockRange(kBase + 1, kBase, LockKind::Exclusive, Wait::No).isOk());
  EXPECT_TRUE(a->lockRange(kBase + 3, 1, LockKind::Exclusive, Wait::No).is(Errc::Locked));
}

TEST(PosixFile, ClosingAnotherOpenOfTheFileKeepsTheLocks) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  auto holder = openRw(env, dir / "T.DBF");
  ASSERT_TRUE(holder->lockRange(kBase + 1, 1, LockKind::Exclusive, Wait::No).isOk());
  openRw(env, dir / "T.DBF").reset();  // opened and closed again, as a passing work area would
  auto other = openRw(env, dir / "T.DBF");
  EXPECT_TRUE(other->lockRange(kBase + 1, 1, LockKind::Exclusive, Wait::No).is(Errc::Locked));
}

TEST(PosixFile, ReadOnlyOpenersTakeReadLocksThatDoNotExcludeEachOther) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  openRw(env, dir / "T.DBF");
  auto r1 = env.open(dir / "T.DBF", Access::ReadOnly);
  auto r2 = env.open(dir / "T.DBF", Access::ReadOnly);
  auto w = openRw(env, dir / "T.DBF");
  ASSERT_TRUE((*r1)->lockRange(kBase + 5, 1, LockKind::Exclusive, Wait::No).isOk());
  EXPECT_TRUE((*r2)->lockRange(kBase + 5, 1, LockKind::Exclusive, Wait::No).isOk());
  EXPECT_TRUE(w->lockRange(kBase + 5, 1, LockKind::Exclusive, Wait::No).is(Errc::Locked));
}

// Both schemes behave alike between openers; the byte scheme must also leave record
// locks free while every opener holds its share lock.
class ShareLock : public ::testing::TestWithParam<sys::ShareScheme> {};

TEST_P(ShareLock, SharedOpenersCoexistAndExclusiveExcludesAll) {
  testkit::TempDir dir;
  sys::PosixEnv env(GetParam());
  auto a = openRw(env, dir / "T.DBF");
  auto b = openRw(env, dir / "T.DBF");
  auto c = openRw(env, dir / "T.DBF");
  ASSERT_TRUE(a->lockWhole(LockKind::Shared, Wait::No).isOk());
  ASSERT_TRUE(b->lockWhole(LockKind::Shared, Wait::No).isOk());
  EXPECT_TRUE(c->lockWhole(LockKind::Exclusive, Wait::No).is(Errc::Locked));
  // share locks never block record locks or the whole-file record range
  EXPECT_TRUE(a->lockRange(kBase + 1, kBase, LockKind::Exclusive, Wait::No).isOk());
  ASSERT_TRUE(a->unlockRange(kBase + 1, kBase).isOk());
  ASSERT_TRUE(a->unlockWhole().isOk());
  b.reset();
  ASSERT_TRUE(c->lockWhole(LockKind::Exclusive, Wait::No).isOk());
  EXPECT_TRUE(a->lockWhole(LockKind::Shared, Wait::No).is(Errc::Locked));
}

INSTANTIATE_TEST_SUITE_P(Schemes, ShareLock,
                         ::testing::Values(sys::ShareScheme::Flock, sys::ShareScheme::ByteRange),
                         [](const auto& p) {
                           return p.param == sys::ShareScheme::Flock ? std::string("Flock")
                                                                         : std::string("ByteRange");
                         });

TEST(PosixFile, TheByteShareSchemeUsesItsOneByte) {
  testkit::TempDir dir;
  sys::PosixEnv env(sys::ShareScheme::ByteRange);
  auto a = openRw(env, dir / "T.DBF");
  auto b = openRw(env, dir / "T.DBF");
  ASSERT_TRUE(a->lockWhole(LockKind::Shared, Wait::No).isOk());
  EXPECT_TRUE(b->lockRange(sys::kShareLockByte, 1, LockKind::Exclusive, Wait::No).is(Errc::Locked));
  EXPECT_TRUE(b->lockRange(sys::kShareLockByte + 1, 1, LockKind::Exclusive, Wait::No).isOk());
}

// A second process: the child takes a lock, tells the parent, and holds it until told to go.
TEST(PosixFile, ALockHeldByAnotherProcessIsSeenAndFreedAtItsExit) {
  testkit::TempDir dir;
  const std::string path = dir / "T.DBF";
  sys::PosixEnv env;
  openRw(env, path);
  int ready[2], go[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(go), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    sys::PosixEnv childEnv;
    auto f = childEnv.open(path, Access::ReadWrite);
    char c = f && (*f)->lockRange(kBase + 2, 1, LockKind::Exclusive, Wait::No).isOk() &&
                     (*f)->lockWhole(LockKind::Exclusive, Wait::No).isOk()
                 ? 'y' : 'n';
    (void)!write(ready[1], &c, 1);
    (void)!read(go[0], &c, 1);
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  auto f = openRw(env, path);
  EXPECT_TRUE(f->lockRange(kBase + 2, 1, LockKind::Exclusive, Wait::No).is(Errc::Locked));
  EXPECT_TRUE(f->lockRange(kBase + 3, 1, LockKind::Exclusive, Wait::No).isOk());
  EXPECT_TRUE(f->lockWhole(LockKind::Shared, Wait::No).is(Errc::Locked));
  ASSERT_EQ(write(go[1], "g", 1), 1);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(f->lockRange(kBase + 2, 1, LockKind::Exclusive, Wait::Yes).isOk());
  EXPECT_TRUE(f->lockWhole(LockKind::Shared, Wait::No).isOk());
  for (int fd : {ready[0], ready[1], go[0], go[1]}) close(fd);
}

}  // namespace
