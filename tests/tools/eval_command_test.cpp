// zelmoran-tool eval, run as a separate process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "testkit/temp_dir.hpp"

namespace {

struct ToolRun {
  int status;
  std::string out, err;
};

ToolRun evalTool(const std::string& args) {
  testkit::TempDir dir;
  const std::string cmd = testkit::toolPath() + " eval " + args + " >" + (dir / "out").string() + " 2>" +
                          (dir / "err").string();
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testkit::readFile(dir / "out"), testkit::readFile(dir / "err")};
}

}  // namespace

TEST(EvalCommand, PrintsTypeTabValue) {
  struct Case { const char* args; const char* out; };
  const Case cases[] = {
      {"'subs(dtos(ctod(\"31.12.99\")),1,4)+str(-12.5,6,1)'", "C\t1999 -12.5\n"},
      {"'7/2'", "N\t3.50\n"},
      {"'ctod(\"05.06.07\")'", "D\t20070605\n"},
      {"'1 = 1'", "L\t.T.\n"},
      {"'NIL'", "U\tNIL\n"},
      {"--date 20240229 'dtos(date() + 1)'", "C\t20240301\n"},
      {"--set X=5 --set 'Y=X*2' 'Y + 1'", "N\t11\n"},
      {"'upper(\"żółć\") + \"ę\"'", "C\tŻÓŁĆę\n"},  // UTF-8 in, CP852 inside, UTF-8 out
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const ToolRun r = evalTool(c.args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
}

TEST(EvalCommand, ErrorsGiveOneLineOnStderrAndStatus2) {
  for (const char* args : {"'1 +'", "'nosuch'", "'1 + \"a\"'", "", "--date 2024 '1'", "--set =1 '1'"}) {
    SCOPED_TRACE(args);
    const ToolRun r = evalTool(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1);
  }
}
