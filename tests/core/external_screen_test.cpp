// tests/core/external_screen_test.cpp — ARCH and FOX with the command lines recorded instead
// of run, and GRUPA_OK's selections.
#include <gtest/gtest.h>

#include <fstream>

#include "core/config/grupa_ok.hpp"
#include "core/external/arch.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "ui/screen_fixture.hpp"
#include "xbase/dbf_file.hpp"

namespace {

struct ExternalStation : uitest::Station {
  ExternalStation() {
    ctx.workspace = &ws;
    ctx.tables = &tables;
  }
  // CONFIG with the given archiver lines (empty: the field is absent when `withFields` is off).
  void makeConfig(const std::vector<std::string>& lines, bool withFields = true) {
    std::vector<xbase::dbf::FieldSpec> fields{{"KONTO_PH", 'C', 5}};
    if (withFields)
      for (const char* name : {"ARCH_1", "ARCH_2", "ARCH_3"}) fields.push_back({name, 'C', 60});
    auto t = xbase::DbfFile::create(env, script.clock(), tables.tablePath("CONFIG"), fields);
    ASSERT_TRUE(t);
    std::vector<std::byte> rec = (*t)->blankRecord();
    for (std::size_t i = 0; withFields && i < lines.size(); ++i)
      ASSERT_TRUE((*t)->setValue(rec, i + 1, rt::Value::character(lines[i])));
    ASSERT_TRUE((*t)->appendRecord(rec));
    (*t)->close();
  }
  core::CommandRunner recorder() {
    return [this](const std::string& line, const std::string& folder) { ran.push_back({line, folder}); };
  }
  bool everShown(const std::string& utf8) const {
    for (const auto& s : device.shown)
      for (const auto& r : s.rows)
        if (r.find(utf8) != std::string::npos) return true;
    return false;
  }
  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
  std::vector<std::pair<std::string, std::string>> ran;
};

TEST(Arch, RunsTheConfiguredLinesInTheProgramFolderSkippingEmptyOnes) {
  struct Case {
    std::vector<std::string> lines;
    std::vector<std::string> expected;
  };
  for (const Case& k : {Case{{"tar cf ARC_PH01.tar *.dbf", "", "ls ARC_PH01.tar"}, {"tar cf ARC_PH01.tar *.dbf", "ls ARC_PH01.tar"}},
                        Case{{"first", "", ""}, {"first"}}}) {
    ExternalStation st;
    st.makeConfig(k.lines);
    st.script.key(13);
    core::ARCH(st.ctx, st.recorder());
    ASSERT_EQ(st.ran.size(), k.expected.size());
    for (std::size_t i = 0; i < k.expected.size(); ++i) {
      EXPECT_EQ(st.ran[i].first, k.expected[i]);
      EXPECT_EQ(st.ran[i].second, st.paths.programFolder());
    }
    EXPECT_TRUE(st.everShown("Naciśnij dowolny klawisz ..."));
    ASSERT_FALSE(st.script.tones().empty());
    EXPECT_EQ(st.script.tones().back().hertz, 880);
    EXPECT_EQ(st.ws.current(), nullptr);  // CONFIG closed again
  }
}

TEST(Arch, AnEmptyFirstLineOrAMissingFieldRunsNothingAndReportsTheConfiguration) {
  for (bool withFields : {true, false}) {
    ExternalStation st;
    st.makeConfig({"", "dir", ""}, withFields);
    st.script.key(13);
    core::ARCH(st.ctx, st.recorder());
    EXPECT_TRUE(st.ran.empty());
    EXPECT_TRUE(st.everShown("Błąd konfiguracji. Nie wykonano archiwizacji !"));
  }
}

TEST(Fox, RunsTheProgramFolderFoxOrSaysThereIsNone) {
  ExternalStation st;
  st.script.keys({13, 13, 13, 13});
  core::FOX(st.ctx, st.recorder());
  EXPECT_TRUE(st.ran.empty());
  EXPECT_TRUE(st.everShown("Brak programu zewnętrznego fox w folderze programu."));
  std::ofstream(st.dir / "FOX") << "#!/bin/sh\n";
  core::FOX(st.ctx, st.recorder());
  ASSERT_EQ(st.ran.size(), 1u);
  EXPECT_EQ(st.ran[0].first, "./FOX");
}

TEST(GrupaOk, SelectionsAndTheirFaults) {
  struct Case {
    const char* text;
    int highest;
    std::optional<std::vector<int>> chosen;
  };
  const Case cases[] = {
      {"2,3-5", 10, std::vector<int>{2, 3, 4, 5}},
      {"7-", 9, std::vector<int>{7, 8, 9}},
      {" 1, 2 ,6", 9, std::vector<int>{1, 2, 6}},
      {"3,1-4", 9, std::vector<int>{3, 1, 2, 4}},  // a number chosen twice counts once
      {"2,-3", 9, std::vector<int>{2, 1, 2, 3}},    // except in the forms from 1
      {"-", 3, std::vector<int>{1, 2, 3}},
      {"", 9, std::vector<int>{}},
      {"1-2-3", 9, std::nullopt},
      {"1,a", 9, std::nullopt},
      {"150", 99, std::nullopt},
      {"150", 150, std::vector<int>{150}},  // above 99 the limit is 999
      {"1-100", 50, std::nullopt},
  };
  for (const Case& k : cases) EXPECT_EQ(core::parseGroupSelection(k.text, k.highest), k.chosen) << k.text;
}

TEST(GrupaOk, AWrongSelectionSoundsShowsTheExamplesAndEmptiesTheList) {
  ExternalStation st;
  st.script.key(13);
  std::vector<int> chosen{4};
  EXPECT_FALSE(core::GRUPA_OK(st.ctx, "1-2-3", 9, chosen));
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(st.script.tones().at(0).hertz, 220);
  EXPECT_TRUE(st.everShown("Błędna selekcja !  Należy zostawić puste pole lub wpisać grupy i przedziały"));
  EXPECT_TRUE(st.everShown("Przykłady: 7  2,3-5  1,2,6. Maksym. grupa :  9"));
}

}  // namespace
