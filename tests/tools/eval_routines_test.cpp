// zelmoran-tool eval with the program's own routines and program-wide variables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "testkit/temp_dir.hpp"

namespace {

struct ToolResult {
  int status;
  std::string out, err;
};

// Runs the tool in `dir`, the program folder of the routines that use files.
ToolResult evalIn(const testkit::TempDir& dir, const std::string& args) {
  const std::string cmd = "cd '" + dir.path().string() + "' && " + testkit::toolPath() + " eval " + args +
                          " >out.txt 2>err.txt";
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testkit::readFile(dir / "out.txt"), testkit::readFile(dir / "err.txt")};
}

TEST(EvalRoutines, TheProgramsRoutinesAndVariablesAreThere) {
  testkit::TempDir dir;
  struct Case { const char* args; const char* out; };
  const Case cases[] = {
      {"'S_I(\"123\")'", "C\t123\n"},  // empty goods-code picture until the configuration is read
      {"--set '_FORMAT_IND=\"@R 9-99\"' 'S_I(\"123\")'", "C\t1-23\n"},
      {"'_NAZWA_PRG + \" \" + WER'", "C\tZELMORAN STANDARD\n"},
      {"'ZAOKR(2.675, 2)'", "N\t2.68\n"},
      {"'TRANS0(5, 3) + LICZBA(12) + TAKNIE(\"T\")'", "C\t00512TAK\n"},
      {"'ROK(ctod(\"05.03.16\")) + \" \" + DTOC2(ctod(\"05.03.16\"))'", "C\t2016 05.03.2016\n"},
      {"'LAT_STD(\"Łódź\")'", "C\tLodz\n"},
      {"'ZAPISZTAB(\"T.TXT\", {1, \"a\", .t.}) .and. CZYTAJTAB(\"T.TXT\")[2] == \"a\"'", "L\t.T.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const ToolResult r = evalIn(dir, c.args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
}

TEST(EvalRoutines, AProgramWideVariableOfAnotherTypeIsAnError) {
  testkit::TempDir dir;
  const ToolResult r = evalIn(dir, "--set '_FORMAT_IND=1' 'S_I(\"123\")'");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("_FORMAT_IND"), std::string::npos);
}

}  // namespace
