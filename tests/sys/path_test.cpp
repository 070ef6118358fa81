#include "sys/path.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"

namespace {

void touch(const std::filesystem::path& p) { std::ofstream(p) << "x"; }

}  // namespace

TEST(PathResolver, FindsExistingNamesWhateverTheirCaseAndKeepsNewNamesAsGiven) {
  testkit::TempDir dir;
  std::filesystem::create_directories(dir / "DANE#01");
  touch(dir / "DANE#01" / "PARADRUK.DBF");
  touch(dir / "CONFIG.DBF");
  sys::PosixEnv env;
  sys::PathResolver paths(env, dir.path().string());
  const std::string base = dir.path().string();
  struct Case { const char* dos; std::string linux; };
  const Case cases[] = {
      {"config.dbf", base + "/CONFIG.DBF"},
      {"dane#01\\paradruk.dbf", base + "/DANE#01/PARADRUK.DBF"},
      {"DANE#01\\", base + "/DANE#01/"},
      {"dane#01\\FLAGA", base + "/DANE#01/FLAGA"},
      {"ekran.mem", base + "/ekran.mem"},
      {"C:\\CONFIG.DBF", base + "/CONFIG.DBF"},  // an unmapped drive is the program folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dos);
    EXPECT_EQ(paths.resolve(c.dos), c.linux);
  }
}

TEST(PathResolver, DriveLettersMapThroughTheDriveTable) {
  testkit::TempDir prog, kalvero;
  touch(kalvero / "KONTRAH.DBF");
  sys::PosixEnv env;
  sys::PathResolver paths(env, prog.path().string());
  paths.mapDrive('c', kalvero.path().string());
  EXPECT_EQ(paths.resolve("C:\\kontrah.dbf"), (kalvero / "KONTRAH.DBF").string());
  EXPECT_EQ(paths.resolve("c:\\NOWY\\"), (kalvero / "NOWY").string() + "/");
}

TEST(PathResolver, GlobListsFilesMatchingADosWildcard) {
  testkit::TempDir dir;
  for (const char* n : {"0ZAM.DBF", "1tow.dbf", "ZAM.DBF", "0ZAM.NTX"}) touch(dir / n);
  std::filesystem::create_directories(dir / "0DIR.DBF");
  sys::PosixEnv env;
  sys::PathResolver paths(env, dir.path().string());
  const auto found = paths.glob("0*.DBF");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0], (dir / "0ZAM.DBF").string());
  EXPECT_EQ(paths.glob("?*.dbf").size(), 3u);
}

TEST(Wildcard, MatchesAsDosListingsDo) {
  struct Case { const char* pattern; const char* name; bool match; };
  const Case cases[] = {
      {"*.DBF", "zam.dbf", true},     {"*.DBF", "ZAM.DBT", false}, {"_????_blo", "_EKRA_BLO", true},
      {"_????_blo", "_EKR_BLO", false}, {"FLAGA.*", "FLAGA", true},  {"A*B*C", "AxxBxxC", true},
      {"A*B*C", "AxxBxx", false},      {"*", "", true},             {"?", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " " + c.name);
    EXPECT_EQ(sys::matchesWildcard(c.pattern, c.name), c.match);
  }
}
