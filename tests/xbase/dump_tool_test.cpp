// Runs zelmoran-tool dump on every reference table and compares with the reference dumps.
#include <gtest/gtest.h>

#include <cstdio>

#include "rt/codepage.hpp"
#include "xbase_testing.hpp"
#include "testkit/build_paths.hpp"

namespace {

std::string run(const std::string& command) {
  FILE* p = popen(command.c_str(), "r");
  std::string out;
  char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  EXPECT_EQ(pclose(p), 0) << command;
  return out;
}

TEST(DumpTool, EveryReferenceTableDumpsExactlyAsItsReferenceDump) {
  for (const char* name : xbase_testing::kFixtureTables) {
    SCOPED_TRACE(name);
    const std::string table = testkit::fixture(std::string(name) + ".DBF");
    const std::string expected = testkit::readFile(testkit::fixture(std::string(name) + ".dump.tsv"));
    EXPECT_TRUE(run(testkit::toolPath() + " dump '" + table + "'") == expected);
  }
  const std::string table = testkit::fixture("ALLTYPES.DBF");
  EXPECT_EQ(run(testkit::toolPath() + " dump --utf8 '" + table + "'"),
            rt::utf8FromCp852(testkit::readFile(testkit::fixture("ALLTYPES.dump.tsv"))));
}

TEST(DumpTool, FailsWithAMessageForAMissingOrDamagedTable) {
  testkit::TempDir dir;
  const std::string bad = dir / "BAD.DBF";
  xbase_testing::writeBytes(bad, xbase_testing::bytesOf("not a table at all, just some text...."));
  for (const std::string& arg : {std::string(dir / "NONE.DBF"), bad}) {
    const int rc = std::system((testkit::toolPath() + " dump '" + arg + "' >/dev/null 2>&1").c_str());
    EXPECT_EQ(WEXITSTATUS(rc), 2) << arg;
  }
}

}  // namespace
