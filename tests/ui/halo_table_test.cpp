// tests/ui/halo_table_test.cpp — the main screen's message table read through MessageSource.
#include "ui/halo_table.hpp"

#include <gtest/gtest.h>

#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "screen_fixture.hpp"
#include "store/schema.hpp"
#include "xbase/dbf_file.hpp"

namespace {

struct HaloStation : uitest::Station {
  HaloStation() { ctx.workspace = &ws; }
  void makeHalo(const std::vector<std::pair<int, std::string>>& rows) {
    auto t = xbase::DbfFile::create(env, script.clock(), tables.tablePath("HALO"), store::fieldSpecs(*store::findTable("HALO")));
    ASSERT_TRUE(t);
    for (const auto& [lp, text] : rows) {
      std::vector<std::byte> rec = (*t)->blankRecord();
      ASSERT_TRUE((*t)->setValue(rec, 0, rt::Value::number(lp, 3, 0)));
      ASSERT_TRUE((*t)->setValue(rec, 1, rt::Value::character(text)));
      ASSERT_TRUE((*t)->appendRecord(rec));
    }
    (*t)->close();
  }
  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
  ui::HaloTable halo{tables};
};

std::string trimmed(std::string s) { return s.erase(s.find_last_not_of(' ') + 1); }

TEST(HaloTable, GroupsComeFromLpAndTheCountFromTheLastRecord) {
  HaloStation st;
  st.makeHalo({{1, "Pierwsza"}, {2, "Druga a"}, {2, "Druga b"}, {3, "Trzecia"}});
  st.ws.select(5);
  EXPECT_EQ(st.halo.groupCount(), 3);
  const auto lines = st.halo.groupLines(2);
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 2u);
  EXPECT_EQ(trimmed((*lines)[0]), "Druga a");
  EXPECT_EQ(trimmed((*lines)[1]), "Druga b");
  EXPECT_FALSE(st.halo.groupLines(7));
  EXPECT_EQ(st.ws.selected(), 5);
  EXPECT_EQ(st.ws.find("HALO"), nullptr);
  EXPECT_TRUE(std::filesystem::exists(st.dir / "HALO.NTX"));  // built when missing
}

TEST(HaloTable, AMissingOrEmptyTableGivesNothingToShow) {
  HaloStation st;
  EXPECT_FALSE(st.halo.groupCount());
  st.makeHalo({});
  EXPECT_EQ(st.halo.groupCount(), 0);
}

}  // namespace
