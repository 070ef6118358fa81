// The operation scope: its title row, and the tables and the selected area on every way out.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/fault.hpp"
#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "table_fixture.hpp"
#include "ui/break.hpp"
#include "ui/operation.hpp"
#include "xbase/dbf_file.hpp"

namespace {

using rt::literals::operator""_pl;

struct OperationStation : uitest::TableStation {
  std::string table(const std::string& name) {
    const std::string path = (dir.path() / (name + ".DBF")).string();
    auto t = xbase::DbfFile::create(env, script.clock(), path, {{"KOD", 'C', 5, 0}});
    EXPECT_TRUE(t);
    (*t)->close();
    return path;
  }
  void openIn(int area, const std::string& name) {
    ws.select(area);
    ASSERT_TRUE(ws.use(table(name)));
  }
  std::string aliasIn(int area) {
    db::WorkArea* a = ws.area(area);
    return a == nullptr ? "" : a->alias();
  }
};

TEST(Operation, WritesTheTitleRowOnAClearedScreen) {
  struct Case {
    std::string title;  // UTF-8
    ui::TitlePlace place;
    int column;
    std::string row;
  };
  const Case cases[] = {
      {"EDYCJA ZAMÓWIEŃ", ui::TitlePlace::Centred, 23, "█▓▓▒▒░░  EDYCJA ZAMÓWIEŃ  ░░▒▒▓▓█"},
      {"ZMIANA HASŁA OPERATORA", ui::TitlePlace::Centred, 20, "█▓▓▒▒░░  ZMIANA HASŁA OPERATORA  ░░▒▒▓▓█"},
      {"SŁOWNIK KONTRAHENTÓW", ui::TitlePlace::Left, 0, "█▓▓▒▒░░  SŁOWNIK KONTRAHENTÓW  ░░▒▒▓▓█"},
      // A row spaced otherwise is written as given.
      {"█▓▓▒▒░░ PRZEGLĄDANIE TABELI UPUSTÓW DLA ODBIORCÓW ░░▒▒▓▓█", ui::TitlePlace::Centred, 11,
       "█▓▓▒▒░░ PRZEGLĄDANIE TABELI UPUSTÓW DLA ODBIORCÓW ░░▒▒▓▓█"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.title);
    OperationStation s;
    s.paintPattern();
    { ui::Operation op(s.ctx, rt::cp852FromUtf8(k.title), k.place); }
    const uitest::Shown shown = s.now();
    const int width = static_cast<int>(rt::cp852FromUtf8(k.row).size());
    EXPECT_EQ(shown.at(0, k.column, width), k.row);
    EXPECT_EQ(shown.at(0, 0, k.column), std::string(static_cast<std::size_t>(k.column), ' '));
    for (int r = 1; r < 25; ++r) EXPECT_EQ(shown.row(r), std::string(80, ' ')) << "row " << r;
  }
}

TEST(Operation, ClosesTheTablesItOpenedAndSelectsTheAreaAgainOnEveryWayOut) {
  struct Case {
    const char* way;
    std::function<void()> leave;
  };
  const Case cases[] = {
      {"return", [] {}},
      {"Esc or a refused lock", [] { throw ui::Break(); }},
      {"a fault", [] { throw base::IoFault("ZAM.DBF", "cannot write"); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.way);
    OperationStation s;
    s.openIn(1, "KON");
    s.openIn(2, "TOW");
    s.ws.select(2);
    try {
      ui::Operation op(s.ctx, "EDYCJA ZAMÓWIEŃ"_pl);
      s.openIn(0, "EWIZAM");
      s.openIn(0, "EWIARC");
      s.ws.select(1);
      k.leave();
    } catch (const ui::Break&) {
    } catch (const base::Fault&) {
    }
    EXPECT_EQ(s.aliasIn(1), "KON");
    EXPECT_EQ(s.aliasIn(2), "TOW");
    EXPECT_EQ(s.aliasIn(3), "");
    EXPECT_EQ(s.aliasIn(4), "");
    EXPECT_EQ(s.ws.selected(), 2);
  }
}

TEST(Operation, ATableReopenedInAnAreaInUseBeforeIsItsOwnAndClosed) {
  OperationStation s;
  s.openIn(1, "KON");
  {
    ui::Operation outer(s.ctx, "ZAMÓWIENIA"_pl);
    s.openIn(2, "TOW");
    {
      ui::Operation inner(s.ctx, "KARTOTEKA"_pl);
      s.openIn(1, "CRM");  // replaces KON, which was open before either began
      s.openIn(3, "UPUSTY");
    }
    EXPECT_EQ(s.aliasIn(1), "");
    EXPECT_EQ(s.aliasIn(2), "TOW");  // the outer operation's table outlives the inner one
    EXPECT_EQ(s.aliasIn(3), "");
    EXPECT_EQ(s.ws.selected(), 2);
  }
  EXPECT_EQ(s.aliasIn(2), "");
  EXPECT_EQ(s.ws.selected(), 1);
}

TEST(Operation, OpensThroughTheTableStoreAndClosesItsTablesOnRequest) {
  OperationStation s;
  s.openIn(1, "KON");
  s.table("TOW");
  auto other = xbase::DbfFile::open(s.env, s.script.clock(), s.table("ZAM"), xbase::Share::Exclusive);
  ASSERT_TRUE(other.has_value());  // another station holds ZAM
  s.ws.select(1);
  ui::Operation op(s.ctx, "EDYCJA ZAMÓWIEŃ"_pl);
  db::WorkArea* tow = op.use("TOW", "S");
  ASSERT_NE(tow, nullptr);
  EXPECT_EQ(tow->number(), 2);  // the lowest free area, selected
  EXPECT_EQ(s.ws.selected(), 2);
  s.script.key(con::key::kEsc);  // gives up the wait behind the notice
  EXPECT_EQ(op.use("ZAM", "S"), nullptr);
  EXPECT_EQ(s.ws.selected(), 2);  // the area selected before that open
  EXPECT_TRUE(s.everShown("Blokowany plik : ZAM"));
  op.closeTables();
  EXPECT_EQ(s.aliasIn(1), "KON");
  EXPECT_EQ(s.aliasIn(2), "");
  EXPECT_EQ(s.ws.selected(), 1);
}

}  // namespace
