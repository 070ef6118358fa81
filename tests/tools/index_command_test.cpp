// zelmoran-tool index PROGRAM_FOLDER: the rebuild of an installation from the shell, one
// line per table, the group choice, and bad usage.
#include <gtest/gtest.h>

#include <filesystem>

#include "testkit/temp_dir.hpp"
#include "tools/tool_run.hpp"

namespace {

using tooltest::quoted;
using tooltest::runTool;

TEST(IndexCommand, RebuildsTheAskedGroupOfAnInstallationAndPrintsEachTable) {
  testkit::TempDir dir;
  const auto target = dir / "inst";
  ASSERT_EQ(runTool("mkdemo " + quoted(target) + " --scale 1 --data " + quoted(testkit::sourceDir() / "data")).status, 0);
  for (const char* f : {"TOW_IN.NTX", "EWIZ_SI.NTX", "CRM_TE.NTX"}) std::filesystem::remove(target / f);

  const tooltest::ToolRun run = runTool("index " + quoted(target) + " --group H");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("EDIT "), std::string::npos);
  EXPECT_NE(run.out.find("TOW "), std::string::npos);
  EXPECT_EQ(run.out.find("EWIZAM "), std::string::npos) << "orders are not in group H";
  EXPECT_NE(run.out.find("OK "), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(target / "TOW_IN.NTX"));
  EXPECT_FALSE(std::filesystem::exists(target / "EWIZ_SI.NTX"));
  EXPECT_EQ(runTool("verify " + quoted(target / "TOW.DBF") + " " + quoted(target / "TOW_IN.NTX")).status, 0);
}

TEST(IndexCommand, RefusesAnUnknownGroupAndAWrongNumberOfArguments) {
  testkit::TempDir dir;
  for (const std::string& args : {"index " + quoted(dir.path()) + " --group X", std::string("index A B")}) {
    SCOPED_TRACE(args);
    const tooltest::ToolRun run = runTool(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("zelmoran-tool index:"), std::string::npos);
  }
}

}  // namespace
