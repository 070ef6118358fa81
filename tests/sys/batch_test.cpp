// tests/sys/batch_test.cpp — batch files run line by line: known programs without a shell,
// everything else by the shell.
#include "sys/batch.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testkit/temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

TEST(RunBatch, RunsKnownProgramsWithoutAShellAndTheRestWithOne) {
  testkit::TempDir dir;
  std::ofstream(dir / "job.bat", std::ios::binary)
      << "cls\r\n@rem nothing\r\n\r\nTOUCH.EXE a;b $(c)\r\nnamed x  y -s z\r\necho shell > out.txt\r\n"
         "@echo hidden >NUL\r\n";
  const sys::BatchPrograms programs{{"touch", {"/usr/bin/touch", sys::Arguments::Words}},
                                    {"named", {"/usr/bin/touch", sys::Arguments::Tail}}};
  auto r = sys::runBatch((dir / "job.bat").string(), dir.path().string(), programs);
  ASSERT_TRUE(r);
  EXPECT_EQ(*r, 0);
  EXPECT_TRUE(fs::exists(dir / "a;b"));        // no shell split the command at ";"
  EXPECT_TRUE(fs::exists(dir / "$(c)"));       // nor ran what is in $( )
  EXPECT_TRUE(fs::exists(dir / "x  y -s z"));  // the whole tail as one argument
  EXPECT_EQ(testkit::readFile(dir / "out.txt"), "shell\n");
  EXPECT_FALSE(fs::exists(dir / "hidden"));
  EXPECT_FALSE(sys::runBatch((dir / "none.bat").string(), dir.path().string(), programs));
}

TEST(RunBatch, AProgramThatCannotRunGivesStatus127) {
  testkit::TempDir dir;
  auto r = sys::runBatchLine("ftp -s:x.scr", dir.path().string(), {{"ftp", {"/no/such/program", sys::Arguments::Words}}});
  ASSERT_TRUE(r);
  EXPECT_EQ(*r, 127);
}

}  // namespace
