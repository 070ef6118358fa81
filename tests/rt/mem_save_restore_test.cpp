#include "rt/mem_save_restore.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/fault.hpp"
#include "testkit/temp_dir.hpp"

namespace {

using rt::Value;

TEST(MemSaveRestore, RestoringAndSavingAgainGivesTheReferenceFiles) {
  testkit::TempDir dir;
  rt::Memvars vars;
  ASSERT_TRUE(rt::restoreMemFile(vars, testkit::fixture("VARS.MEM"), rt::RestoreMode::Replace).isOk());
  EXPECT_EQ(vars.get("CKROTKI").text(), "abc");
  EXPECT_EQ(vars.get("_dluganazw").text(), "name longer than 10 characters");

  ASSERT_TRUE(rt::saveMemFile(vars, dir / "all.mem").isOk());
  EXPECT_EQ(testkit::readFile(dir / "all.mem"), testkit::readFile(testkit::fixture("VARS.MEM")));
  // The colour settings are saved by this mask; _XBLO has one letter too few to match.
  ASSERT_TRUE(rt::saveMemFile(vars, dir / "blo.mem", "_????_blo").isOk());
  EXPECT_EQ(testkit::readFile(dir / "blo.mem"), testkit::readFile(testkit::fixture("BLO.MEM")));
}

TEST(MemSaveRestore, SaveLeavesOutWhatAFileCannotHold) {
  testkit::TempDir dir;
  rt::Memvars vars;
  vars.declarePublic("A");
  vars.set("A", Value::newArray(2));
  vars.declarePrivate("B");  // NIL
  vars.declarePrivate("C", Value::memo("memo"));
  vars.declarePrivate("D", Value::number(1.5, 10, 1));
  ASSERT_TRUE(rt::saveMemFile(vars, dir / "x.mem").isOk());
  rt::Memvars back;
  ASSERT_TRUE(rt::restoreMemFile(back, dir / "x.mem", rt::RestoreMode::Replace).isOk());
  EXPECT_FALSE(back.exists("A"));
  EXPECT_FALSE(back.exists("B"));
  EXPECT_EQ(back.get("C").text(), "memo");
  EXPECT_EQ(back.get("D").num(), 1.5);

  vars.declarePrivate("E", Value::character(std::string(70000, 'x')));
  EXPECT_TRUE(rt::saveMemFile(vars, dir / "x.mem").is(base::Errc::Invalid));
  EXPECT_TRUE(rt::saveMemFile(vars, dir / "x.mem", "E", rt::MaskMatch::Except).isOk());
}

TEST(MemSaveRestore, RestoreReleasesEverythingFirstAndCreatesPrivatesOfTheRestoringScope) {
  rt::Memvars vars;
  vars.declarePublic("KEEP");
  vars.declarePublic("_EKRA_BLO");
  {
    rt::Memvars::Scope routine(vars);
    ASSERT_TRUE(rt::restoreMemFile(vars, testkit::fixture("BLO.MEM"), rt::RestoreMode::Replace).isOk());
    EXPECT_FALSE(vars.exists("KEEP"));
    EXPECT_EQ(vars.get("_EKRA_BLO").text(), "W/N, N/W, N/N");
  }
  EXPECT_FALSE(vars.exists("_EKRA_BLO"));  // a private of the routine that restored it
}

TEST(MemSaveRestore, AdditiveRestoreAssignsTheVariablesThatExist) {
  rt::Memvars vars;
  vars.declarePublic("KEEP");
  vars.declarePublic("_EKRA_BLO");
  {
    rt::Memvars::Scope routine(vars);
    ASSERT_TRUE(rt::restoreMemFile(vars, testkit::fixture("BLO.MEM"), rt::RestoreMode::Additive).isOk());
    EXPECT_TRUE(vars.exists("KEEP"));
    EXPECT_TRUE(vars.exists("_SLOW_BLO"));
  }
  EXPECT_EQ(vars.get("_EKRA_BLO").text(), "W/N, N/W, N/N");  // the public was assigned
  EXPECT_FALSE(vars.exists("_SLOW_BLO"));
}

TEST(MemSaveRestore, AFileThatCannotBeRestoredChangesNothing) {
  testkit::TempDir dir;
  rt::Memvars vars;
  vars.declarePublic("KEEP");
  EXPECT_TRUE(rt::restoreMemFile(vars, dir / "missing.mem", rt::RestoreMode::Replace).is(base::Errc::NotFound));
  std::string broken = testkit::readFile(testkit::fixture("BLO.MEM"));
  broken.resize(35);  // the first header and half of its text
  std::ofstream(dir / "broken.mem", std::ios::binary) << broken;
  EXPECT_THROW((void)rt::restoreMemFile(vars, dir / "broken.mem", rt::RestoreMode::Replace), base::Corrupt);
  EXPECT_TRUE(vars.exists("KEEP"));
}

TEST(MemSaveRestore, TheFileNameGetsTheMemExtensionWhenItHasNone) {
  EXPECT_EQ(rt::memFilePath("dane/ekran"), std::filesystem::path("dane/ekran.mem"));
  EXPECT_EQ(rt::memFilePath("dane/ekran.MEM"), std::filesystem::path("dane/ekran.MEM"));
}

}  // namespace
