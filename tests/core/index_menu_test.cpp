// The menu index of a run: which entries an operator, a role and a variant get, and where
// the index goes.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/routines_fixture.hpp"
#include "db/work_area.hpp"
#include "ui/menu/menu_level.hpp"

namespace {

using coretest::RoutinesStation;

struct MenuStation : RoutinesStation {
  MenuStation() {
    //                OPCJA  TRESC  PROCEDURA HBAZA PRIORYTET WARUNEK WAR_OPE BLOKADA UWAGI           MIEJSCE
    makeTable("MENU",
              {{"OPCJA", 'N', 6}, {"TRESC", 'C', 60}, {"PROCEDURA", 'C', 100}, {"HBAZA", 'C', 10},
               {"PRIORYTET", 'N', 2}, {"WARUNEK", 'C', 100}, {"WAR_OPE", 'C', 60}, {"BLOKADA", 'C', 1},
               {"UWAGI", 'C', 40}, {"MIEJSCE", 'C', 1}},
              {{"1", "Wszyscy", "", "", "0", "", "", "", "", ""},
               {"2", "Poziom 5", "", "", "5", "", "", "", "", ""},
               {"3", "Poziom 6", "", "", "6", "", "", "", "", ""},
               {"4", "Centrala", "", "", "0", "", "", "", "", "C"},
               {"5", "Przedstawiciel", "", "", "0", "", "", "", "", "P"},
               {"6", "Standard i lux", "", "", "0", "", "", "", "STANDARD LUX", ""},
               {"7", "Tylko lux", "", "", "0", "", "", "", "LUX", ""},
               {"31", "Administrator", "", "", "9", "", "", "", "", "B"}});
    rt.vars().set("_SCL", rt::Value::character("DANE#01"));
    rt.vars().set("_SC", rt::Value::character("DANE#01\\"));
  }
  void runAs(int priority, const char* account) {
    rt.vars().set("_PRIORYTET", rt::Value::number(priority, 2, 0));
    rt.vars().set("_KONTO_PH", rt::Value::character(account));
  }
  // The entry codes the menu engine finds through the index, in its order.
  std::vector<int> offered() {
    db::WorkArea* t = ui::openMenuTable(ctx);
    EXPECT_NE(t, nullptr);
    std::vector<int> codes;
    if (t == nullptr) return codes;
    EXPECT_GT(t->orderCount(), 0u);
    for (t->goTop(); !t->eof(); t->skip()) codes.push_back(static_cast<int>(t->value(*t->fieldIndex("OPCJA")).num()));
    ws.close(t->number());
    return codes;
  }
};

TEST(INDEX_MENU, OffersOnlyTheEntriesOfTheOperatorsLevelRoleAndVariant) {
  struct Case {
    int priority;
    const char* account;
    const char* variant;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {5, "00000", "STANDARD", {1, 2, 4, 6}},         // nothing above 5; "P" absent at head office
      {9, "00003", "STANDARD", {1, 2, 3, 5, 6, 31}},  // "C" absent at a representative's
      {9, "00000", "LUX", {1, 2, 3, 4, 6, 7, 31}},    // another variant word
      {0, "00000", "STANDARD", {1, 4, 6}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.priority) + " " + k.account + " " + k.variant);
    MenuStation s;
    std::filesystem::create_directory(s.dir / "DANE#01");
    s.runAs(k.priority, k.account);
    s.call("INDEX_MENU", {rt::Value::character(k.variant), rt::Value::character("DANE#01\\"),
                          rt::Value::character("DANE#01")});
    EXPECT_TRUE(std::filesystem::exists(s.dir / "DANE#01" / "MENU.NTX"));
    EXPECT_FALSE(std::filesystem::exists(s.dir / "MENU.NTX"));
    EXPECT_EQ(s.offered(), k.codes);
    EXPECT_EQ(s.ws.lowestFree(), 1) << "the menu table is closed again";
  }
}

TEST(INDEX_MENU, WithoutAStationFolderTheIndexGoesToTheProgramFolderAndIsStillUsed) {
  MenuStation s;
  s.runAs(5, "00000");
  s.call("INDEX_MENU", {rt::Value::character("STANDARD"), rt::Value::character("DANE#01\\"),
                        rt::Value::character("DANE#01")});
  EXPECT_TRUE(std::filesystem::exists(s.dir / "MENU.NTX"));
  EXPECT_EQ(s.offered(), (std::vector<int>{1, 2, 4, 6}));
}

TEST(INDEX_MENU, AVariantWordWithQuotesIsTakenAsAWord) {
  for (const char* word : {"A\"B", "A'B\"C"}) {
    SCOPED_TRACE(word);
    MenuStation s;
    s.runAs(9, "00000");
    s.call("INDEX_MENU", {rt::Value::character(word), rt::Value::character("X\\"), rt::Value::character("X")});
    EXPECT_EQ(s.offered(), (std::vector<int>{1, 2, 3, 4, 31}));  // only the entries for every variant
  }
}

}  // namespace
