#include "sys/command.hpp"

#include <gtest/gtest.h>

#include "testkit/temp_dir.hpp"

TEST(RunCommand, RunsTheLineByTheShellInTheFolderAndGivesItsExitStatus) {
  testkit::TempDir dir;
  auto r = sys::runCommand("pwd > where.txt; echo a b | tr ' ' - >> where.txt; exit 3", dir.path().string());
  ASSERT_TRUE(r);
  EXPECT_EQ(*r, 3);
  EXPECT_EQ(testkit::readFile(dir / "where.txt"), dir.path().string() + "\na-b\n");
}

TEST(RunCommand, ACommandEndedBySignalGives128PlusItsNumberAndThisProcessLivesOn) {
  testkit::TempDir dir;
  // The shell kills itself with SIGINT, which this process ignores while waiting.
  auto r = sys::runCommand("kill -INT $$; exit 0", dir.path().string());
  ASSERT_TRUE(r);
  EXPECT_EQ(*r, 128 + 2);
  auto missing = sys::runCommand("true", (dir / "no-such-folder").string());
  ASSERT_TRUE(missing);
  EXPECT_EQ(*missing, 127);
}
