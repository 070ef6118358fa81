// USTAW_DOSTEP, the access thresholds of the menu entries and the special-functions
// password, on the scripted screen.
#include <gtest/gtest.h>

#include "access/admin_screens_fixture.hpp"
#include "access/stamp.hpp"
#include "access/ustaw_dostep.hpp"
#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "xbase/dbf_file.hpp"

namespace {

using con::key::kDown;
using con::key::kEnter;
using con::key::kEsc;
using con::key::kRight;
using rt::literals::operator""_pl;

struct Thresholds : optest::AdminStation {
  Thresholds() : optest::AdminStation({{"ADM", "ADMIN1", 9, "Administrator", "", "", true}}) {
    std::vector<optest::Column> columns = optest::operatorColumns();
    columns.push_back({"MENU", "Nr;opcji", "OPCJA", "999999", ".F.", "", 1});
    columns.push_back({"MENU", "Opcja menu", "TRESC", "", ".F.", "", 2});
    columns.push_back({"MENU", "Próg", "PRIORYTET", "99", ".T.", "PRIORYTET>=0", 3});
    columns.push_back({"MENU", "Operatorzy", "WAR_OPE", "@!S20", ".T.", "", 4});
    makeEdit(columns);
    struct Entry {
      int code;
      const char* text;
      int priority;
      const char* variants;
    };
    const Entry entries[] = {{31, "Raporty", 5, ""},     {1, "Zamówienia", 0, ""},       {91, "Serwis", 10, ""},
                             {2, "Kontrahenci", 3, "STANDARD LUX"}, {5, "Tylko lux", 0, "LUX"}};
    auto t = xbase::DbfFile::create(env, script.clock(), path("MENU.DBF"),
                                    {{"OPCJA", 'N', 6}, {"TRESC", 'C', 30}, {"PRIORYTET", 'N', 2}, {"WAR_OPE", 'C', 20},
                                     {"UWAGI", 'C', 20}, {"TEST", 'C', 6}});
    EXPECT_TRUE(t.has_value());
    for (const Entry& e : entries) {
      auto rec = (*t)->blankRecord();
      EXPECT_TRUE((*t)->setValue(rec, 0, rt::Value::number(e.code, 6, 0)));
      EXPECT_TRUE((*t)->setValue(rec, 1, rt::Value::character(rt::cp852FromUtf8(e.text))));
      EXPECT_TRUE((*t)->setValue(rec, 2, rt::Value::number(e.priority, 2, 0)));
      EXPECT_TRUE((*t)->setValue(rec, 4, rt::Value::character(e.variants)));
      EXPECT_TRUE((*t)->setValue(rec, 5, rt::Value::character(operators::stampOf(std::to_string(e.code), e.priority))));
      EXPECT_TRUE((*t)->appendRecord(rec));
    }
    (*t)->close();
    auto config = xbase::DbfFile::create(env, script.clock(), path("CONFIG.DBF"), {{"HASLO", 'C', 6}});
    EXPECT_TRUE(config.has_value());
    auto rec = (*config)->blankRecord();
    EXPECT_TRUE((*config)->setValue(rec, 0, rt::Value::character("STARE1")));
    EXPECT_TRUE((*config)->appendRecord(rec));
    (*config)->close();
    rt.vars().declarePublic("_PRIORYTET");
    rt.vars().declarePublic("_HASLO");
    rt.vars().set("_HASLO", rt::Value::character("STARE1"));
    seams.printList = [this](std::string_view screen, std::string_view layout, std::string_view title) {
      printed.push_back(std::string(screen) + " " + std::string(layout) + " " + rt::utf8FromCp852(title));
      return printed.size() < 2;  // the pipeline asks for a second copy, then no more
    };
  }
  void runAs(int priority) { rt.vars().set("_PRIORYTET", rt::Value::number(priority, 2, 0)); }
  db::WorkArea& menuRecord(std::uint32_t r) {
    db::WorkArea* a = *ws.use(path("MENU.DBF"), {});
    a->goTo(r);
    return *a;
  }
  std::string configPassword() {
    db::WorkArea* a = *ws.use(path("CONFIG.DBF"), {});
    a->goTop();
    const std::string p = a->value(0).text();
    ws.closeAll();
    return p;
  }
  std::vector<std::string> printed;
};

TEST(USTAW_DOSTEP, ListsTheEntriesOfTheStandardVariantButTheServiceOnesInCodeOrder) {
  Thresholds s;
  s.runAs(5);
  s.script.key(kEsc).key(kEnter);  // out of the list, then the restart notice
  operators::USTAW_DOSTEP(s.ctx, s.seams);
  const uitest::Shown& list = s.atRead(0);
  EXPECT_NE(list.row(0).find("█▓▓▒▒░░  USTAWIANIE DOSTĘPU DO OPCJI MENU  ░░▒▒▓▓█"), std::string::npos);
  std::string shown;
  for (int r = 1; r < 24; ++r) shown += list.row(r) + "\n";
  const std::size_t first = shown.find("Zamówienia"), second = shown.find("Kontrahenci"), third = shown.find("Raporty");
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
  EXPECT_NE(third, std::string::npos);
  EXPECT_EQ(shown.find("Serwis"), std::string::npos);
  EXPECT_EQ(shown.find("Tylko lux"), std::string::npos);
  EXPECT_TRUE(s.wasShown(12, "Uaktywnienie zmienionych progów wymaga restartu programu !"));
  EXPECT_EQ(s.printed, (std::vector<std::string>{"MENU V1 PROGI DOSTĘPU DO OPCJI", "MENU V1 PROGI DOSTĘPU DO OPCJI"}));
  EXPECT_TRUE(s.script.scriptDone()) << "no password question below priority 9";
  EXPECT_EQ(s.ws.lowestFree(), 1);
}

TEST(USTAW_DOSTEP, AChangedThresholdIsStoredWithANewStamp) {
  Thresholds s;
  s.runAs(5);
  // Second row (entry 2), the threshold: " 7"; the edit moves on to the operators, Esc.
  s.script.key(kDown).key(kRight).key(kRight).key(kEnter).type(" 7").key(kEnter).key(kEsc).key(kEsc).key(kEnter);
  operators::USTAW_DOSTEP(s.ctx, s.seams);
  db::WorkArea& entry = s.menuRecord(4);
  EXPECT_EQ(entry.value(2).num(), 7);
  EXPECT_TRUE(operators::verifiesStamp(entry));
}

TEST(USTAW_DOSTEP, AnAdministratorSetsTheSpecialPasswordTypedTwiceAlike) {
  struct Case {
    const char* first;
    const char* second;
    const char* stored;
  };
  const Case cases[] = {{"nowe", "NOWE", "NOWE  "}, {"nowe", "inne", "STARE1"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.first) + "/" + k.second);
    Thresholds s;
    s.runAs(9);
    s.script.key(kEsc).key(kEnter).type("T");
    s.script.type(k.first).key(kEnter).type(k.second).key(kEnter);
    if (std::string(k.stored) != "STARE1") s.script.type("T");
    operators::USTAW_DOSTEP(s.ctx, s.seams);
    EXPECT_TRUE(s.wasShown(12, "Zmiana hasła w opcjach specjalnych ?"));
    EXPECT_TRUE(s.script.scriptDone());
    EXPECT_EQ(s.configPassword(), k.stored);
    EXPECT_EQ(s.ctx.text("_HASLO"), k.stored == std::string("STARE1") ? "STARE1" : k.stored);
  }
}

}  // namespace
