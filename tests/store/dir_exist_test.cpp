// tests/store/dir_exist_test.cpp — DIR_EXIST on DOS-style folder names.
#include "store/dir_exist.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "store_testing.hpp"

namespace {

using storetest::Station;

TEST(DIR_EXIST, AnswersForDrivesAndFoldersWithOrWithoutTheBackslash) {
  Station st;
  std::filesystem::create_directory(st.dir / "DANE#01");
  std::ofstream(st.dir / "CONFIG.DBF") << "x";
  st.paths.mapDrive('D', (st.dir / "DANE#01").string());
  const auto cwd = std::filesystem::current_path();
  struct Case {
    const char* folder;
    bool exists;
  };
  const Case cases[] = {{"C:", true},        {"C:\\", true},        {"D:", true},       {"DANE#01", true},
                        {"dane#01\\", true}, {"C:\\DANE#01", true}, {"DANE#02", false}, {"CONFIG.DBF", false},
                        {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(store::DIR_EXIST(st.tables, c.folder), c.exists);
  }
  EXPECT_EQ(std::filesystem::current_path(), cwd);
}

}  // namespace
