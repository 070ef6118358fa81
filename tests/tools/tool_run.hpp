// tests/tools/tool_run.hpp — running zelmoran-tool as a separate process and reading back
// its status and output.
#pragma once

#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "testkit/temp_dir.hpp"

namespace tooltest {

struct ToolRun {
  int status;
  std::string out, err;
};

// `args` is put on a shell command line as it stands (quote what needs it); `today`, when
// given, fixes the tool's date (YYYYMMDD).
inline ToolRun runTool(const std::string& args, const std::string& today = "") {
  testkit::TempDir dir;
  const std::string cmd = (today.empty() ? "" : "ZELMORAN_TODAY=" + today + " ") + testkit::toolPath() + " " + args + " >" + (dir / "out").string() + " 2>" +
                          (dir / "err").string();
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testkit::readFile(dir / "out"), testkit::readFile(dir / "err")};
}

inline std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace tooltest
