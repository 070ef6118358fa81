// tests/ui/browse_columns_test.cpp — column descriptions: the purchase-price rule, heading
// lines and widths, and the choice of a layout's records from the EDIT table.
#include <gtest/gtest.h>

#include <filesystem>

#include "browse_fixture.hpp"
#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "testkit/call.hpp"
#include "ui/browse/column.hpp"

namespace {

using ui::browse::EditRecord;

TEST(PurchasePriceRule, HidesPurchasePriceAndMarginColumnsUnlessKeptByTheMarginCheck) {
  struct Case { std::string_view screen, pole, warunek; bool hidden; };
  const Case cases[] = {
      {"TOW", "CENA_ZAK", "", true},
      {"ZAM", "ILO_ZAM*CENA_ZAK", "", true},
      {"ZAM", "WART_ZAK", "", true},
      {"TOW", "MARZA", "", true},
      {"TOW", "MARZA", "MAR_CENS(MARZA)", false},
      {"DOKP", "CENA_WAL", "", true},
      {"ZAM", "CENA_WAL", "", false},
      {"TOW", "CENA_WAL ", "", true},
      {"TOW", "CENA_WAL", "", false},
      {"TOW", "NAZWA", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.screen) + " " + std::string(c.pole));
    EditRecord r;
    r.pole = c.pole;
    r.warunek = c.warunek;
    EXPECT_EQ(ui::browse::hiddenWithoutPurchasePrices(c.screen, r), c.hidden);
  }
}

TEST(ColumnText, HeadingsSplitAtSemicolonsAndDropTheLeadingMark) {
  EXPECT_EQ(ui::browse::headingLines("^Nazwa;towaru"), (std::vector<std::string>{"Nazwa", "towaru"}));
  EXPECT_EQ(ui::browse::headingLines("~Cena"), (std::vector<std::string>{"Cena"}));
  EXPECT_EQ(ui::browse::headingLines(""), (std::vector<std::string>{""}));
}

TEST(ColumnText, AmpersandEvaluatesQuotesAreStrippedOtherTextIsLiteral) {
  uitest::BrowseStation s;
  s.rt.vars().declarePublic("_NAPIS");
  s.rt.vars().set("_NAPIS", rt::Value::character("Kwota"));
  EXPECT_EQ(ui::browse::descriptionText(s.rt, "&_NAPIS+'!'"), "Kwota!");
  EXPECT_EQ(ui::browse::descriptionText(s.rt, "\"Cena\""), "Cena");
  EXPECT_EQ(ui::browse::descriptionText(s.rt, "Cena + VAT"), "Cena + VAT");
}

TEST(ColumnWidth, IsTheWiderOfHeadingAndPicture) {
  uitest::BrowseStation s;
  struct Case { std::string nag1, format; rt::Value sample; int width; };
  const Case cases[] = {
      {"Ilość", "@E 99999.99", rt::Value::number(1.5, 8, 2), 8},       // template
      {"Nazwa towaru", "", rt::Value::character("abc"), 12},           // heading
      {"Nr", "", rt::Value::character("ABCDEFGHIJ"), 10},              // value
      {"Kod;kreskowy", "@S5", rt::Value::character("1234567890"), 8},  // scroll width vs heading line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nag1);
    EditRecord r;
    r.nag1 = c.nag1;
    r.format = c.format;
    ui::browse::Column col = ui::browse::buildColumn(s.rt, r);
    ui::browse::measureColumn(s.rt, col, c.sample);
    EXPECT_EQ(col.width, c.width);
  }
}

std::vector<std::string> headings(const ui::browse::Engine& e) {
  std::vector<std::string> out;
  for (const auto& col : e.tableColumns()) out.push_back(rt::utf8FromCp852(col.heading.front()));
  return out;
}

TEST(Layouts, ChooseSortFilterAndApplyThePurchasePriceRule) {
  struct Case { std::string layout; bool prices; std::vector<std::string> headings; };
  const std::vector<Case> cases = {
      {"V0", true, {"Indeks", "Nazwa", "Ilość", "Cena zak.", "Marża", "Marża%"}},
      {"V1", true, {"Indeks", "Nazwa", "Ilość", "Cena zak.", "Marża"}},
      {"V1", false, {"Indeks", "Nazwa", "Ilość", "Marża"}},
      {"V1|!empty(WEJSCIE)", true, {"Indeks", "Nazwa", "Ilość"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    uitest::BrowseStation s;
    s.makeGoodsScreen();
    s.openGoods();
    s.rt.vars().set("_UDOCEZAK", rt::Value::logical(c.prices));
    ui::browse::Options o;
    o.screenKey = "TOW";
    o.tableLayout = c.layout;
    auto e = s.browse(o);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(headings(*e), c.headings);
  }
}

TEST(Layouts, LayoutPositionsOrderTheColumns) {
  uitest::BrowseStation s;
  s.makeEdit({{"TOW", "Trzecia", "ILOSC", "", "", "", "", 3},
              {"TOW", "Pierwsza", "INDEKS", "", "", "", "", 1},
              {"TOW", "Pominięta", "NAZWA", "", "", "", "", 0},
              {"TOW", "Druga", "CENA_ZAK", "", "", "", "", 2}});
  s.openGoods();
  ui::browse::Options o;
  o.screenKey = "TOW";
  o.tableLayout = "V1";
  auto e = s.browse(o);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(headings(*e), (std::vector<std::string>{"Pierwsza", "Druga", "Trzecia"}));
}

TEST(ClassEdit, AnUnknownScreenKeyShowsTheMessageAfterRebuildingTheIndex) {
  uitest::BrowseStation s;
  s.makeGoodsScreen();
  s.openGoods();
  s.script.key(con::key::kEnter);
  ui::browse::Options o;
  o.screenKey = "XYZ";
  EXPECT_EQ(s.browse(o), nullptr);
  EXPECT_NE(s.atRead(0).row(12).find("ZŁY EDIT Baza: XYZ"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(s.dir / "EDIT.NTX"));
}

TEST(ClassEdit, TheEditTableIsTakenFromTheEditPathFolderWhenItHoldsOne) {
  uitest::BrowseStation s;
  s.makeEdit({{"TOW", "Z folderu", "INDEKS", "", "", "", "", 1}});
  std::filesystem::create_directory(s.dir / "OPISY");
  std::filesystem::create_directory(s.dir / "BRAK");
  std::filesystem::rename(s.dir / "EDIT.DBF", s.dir / "OPISY" / "EDIT.DBF");
  s.makeEdit({{"TOW", "Z programu", "INDEKS", "", "", "", "", 1}});
  s.openGoods();
  struct Case { std::string folder, previous, heading; };
  const Case cases[] = {{"OPISY", "", "Z folderu"}, {"BRAK", "OPISY", "Z programu"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(testkit::call(s.rt, "EDITPATH", {rt::Value::character(c.folder)}).text(), c.previous);
    ui::browse::Options o;
    o.screenKey = "TOW";
    auto e = s.browse(o);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(headings(*e), (std::vector<std::string>{c.heading}));
  }
}

}  // namespace
