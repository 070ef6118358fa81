// zelmoran-tool mkdemo --role hq: the invoicing program's folders beside the program's own,
// every table with its indexes, and the same company in both.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "rt/codepage.hpp"
#include "sys/posix_env.hpp"
#include "tools/table_rows.hpp"
#include "tools/tool_run.hpp"
#include "xbase/dbf_file.hpp"

namespace {

using tooltest::quoted;
using tooltest::runTool;
namespace fs = std::filesystem;

constexpr const char* kToday = "20261210";

using tooltest::Row;
using tooltest::rows;
using tooltest::text;
double num(const Row& r, const std::string& field) { return r.at(field).num(); }
std::string dtos(const Row& r, const std::string& field) { return r.at(field).date().dtos(); }

// The documents' key in the invoicing program and its form in the program.
std::string key(const Row& r, const char* year = "ROK_DOK", const char* number = "NR_DOK") {
  return text(r, "RODZAJ_DOK") + text(r, "SERIA_FAK") + text(r, year) + text(r, number);
}
std::string document(const Row& r) {
  return text(r, "RODZAJ_DOK") + "-" + text(r, "NR_DOK") + "/" + text(r, "SERIA_FAK") + "/" + text(r, "ROK_DOK").substr(2);
}

class Invoicing : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    const auto r = runTool("mkdemo " + quoted(dir.path()) + " --force --scale " + std::to_string(GetParam()), kToday);
    ASSERT_EQ(r.status, 0) << r.err;
  }
  fs::path data() const { return dir.path() / "KALVERO"; }
  fs::path firms() const { return dir.path() / "KALVERO" / "FIRMY"; }
  testkit::TempDir dir;
};

TEST_P(Invoicing, EveryTableOpensWithItsIndexesAndConfigNamesTheFolders) {
  const std::map<std::string, std::vector<std::string>> tables = {
      {"TOW", {"TOW_IN", "TOW_NA", "TOW_GR", "TOW_SW"}},
      {"MAG001", {"M001_IP", "M001_N", "M001_IP0", "M001_N0"}},
      {"UPUSTY", {"UPUSTY_K", "UPUSTY_T"}},
      {"ZAP", {"ZAP_FA"}},
      {"KON_TXT", {"KON_TXT"}},
      {"SPR_N", {"SPR_N_NR", "SPR_N_KO"}},
      {"SPR_P", {"SPR_P_NR"}},
      {"SL_G_TOW", {"SL_G_TOW", "SL_G_TON"}},
      {"SL_JM", {"SL_JM"}},
      {"QSPR_N", {}},
      {"QSPR_P", {}},
      {"FAK_TXT", {}},
      {"FIRMY/FIRMY", {"FIRMY/FIRMY_NR", "FIRMY/FIRMY_NA", "FIRMY/FIRMY_NI", "FIRMY/FIRMY_AD"}},
      {"FIRMY/SL_G_KON", {"FIRMY/SL_G_KON"}},
      {"#00/PARADRUK", {}},
      {"#01/PARADRUK", {}},
  };
  for (const auto& [table, indexes] : tables) {
    SCOPED_TRACE(table);
    std::string args = "verify --config " + quoted(dir.path() / "CONFIG.DBF") + " " + quoted(data() / (table + ".DBF"));
    for (const std::string& x : indexes) args += " " + quoted(data() / (x + ".NTX"));
    const auto r = runTool(args);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
  }
  const auto config = rows(dir.path() / "CONFIG.DBF");
  ASSERT_EQ(config.size(), 1u);
  EXPECT_EQ(text(config[0], "GDZIE_KV"), "KALVERO\\");
  EXPECT_EQ(text(config[0], "GDZIE_KON"), "KALVERO\\FIRMY\\");
  EXPECT_EQ(text(config[0], "MAG_ZAM"), "001");
}

TEST_P(Invoicing, TheContractorsAreTheRegistersWithBalancesAndPointsOfTheirInvoices) {
  const auto ours = rows(dir.path() / "KON.DBF");
  const auto theirs = rows(firms() / "FIRMY.DBF");
  ASSERT_EQ(ours.size(), theirs.size());
  ASSERT_EQ(ours.size(), 1000u * GetParam() + 1);
  struct Sums {
    double gross = 0, due = 0;
    int points = 0, settled = 0;
  };
  std::map<std::string, Sums> sums;
  for (const Row& d : rows(data() / "SPR_N.DBF")) {
    Sums& s = sums[text(d, "NR_KON")];
    s.gross += num(d, "WART_ZAP");
    s.due += num(d, "WN");
    s.points += static_cast<int>(num(d, "PUNKTY"));
    if (num(d, "WN") == 0) s.settled += static_cast<int>(num(d, "PUNKTY"));
  }
  for (std::size_t i = 0; i < ours.size(); ++i) {
    SCOPED_TRACE(text(ours[i], "NR_KON"));
    for (const auto& [field, value] : ours[i]) {
      if (value.isNumber())
        ASSERT_EQ(value.num(), theirs[i].at(field).num()) << field;
      else
        ASSERT_EQ(value.text(), theirs[i].at(field).text()) << field;
    }
    const Sums& s = sums[text(ours[i], "NR_KON")];
    ASSERT_NEAR(num(ours[i], "WN_ODB"), s.gross, 0.005);
    ASSERT_NEAR(num(ours[i], "WN_ODB") - num(ours[i], "MA_ODB"), s.due, 0.005);
    ASSERT_EQ(num(ours[i], "PUNKTY_RA"), s.points);
    ASSERT_EQ(num(ours[i], "PUNKTY_OK"), s.settled);
  }
  EXPECT_EQ(text(ours[0], "NR_KON"), "00000");
}

TEST_P(Invoicing, TheGoodsCarryTheStockOfTheirBatches) {
  std::map<std::string, double> stock;
  for (const Row& b : rows(data() / "MAG001.DBF")) {
    stock[text(b, "INDEKS")] += num(b, "STAN");
    EXPECT_EQ(num(b, "STAN_B"), 0);
  }
  const auto ours = rows(dir.path() / "TOW.DBF");
  const auto theirs = rows(data() / "TOW.DBF");
  ASSERT_EQ(ours.size(), theirs.size() + 1);
  EXPECT_EQ(text(ours[0], "INDEKS"), "00000");
  EXPECT_EQ(text(ours[0], "NAZWA_TOW"), rt::cp852FromUtf8("UWAGI DO ZAMÓWIENIA"));
  for (std::size_t i = 0; i < theirs.size(); ++i) {
    const Row& a = ours[i + 1];
    SCOPED_TRACE(text(a, "INDEKS"));
    for (const auto& [field, value] : theirs[i]) {
      if (field == "USLUGA") continue;  // the program's own availability marks
      if (value.isNumber())
        ASSERT_EQ(value.num(), a.at(field).num()) << field;
      else
        ASSERT_EQ(value.text(), a.at(field).text()) << field;
    }
    ASSERT_EQ(num(a, "STAN"), stock[text(a, "INDEKS")]);
  }
}

TEST_P(Invoicing, DiscountsAndNotesAreTheSameRows) {
  for (const char* table : {"UPUSTY", "KON_TXT"}) {
    SCOPED_TRACE(table);
    const auto ours = rows(dir.path() / (std::string(table) + ".DBF"));
    const auto theirs = rows(data() / (std::string(table) + ".DBF"));
    ASSERT_EQ(ours.size(), theirs.size());
    EXPECT_FALSE(ours.empty());
    for (std::size_t i = 0; i < ours.size(); ++i)
      for (const auto& [field, value] : ours[i]) {
        if (value.isNumber())
          ASSERT_EQ(value.num(), theirs[i].at(field).num()) << field;
        else if (value.isDate())
          ASSERT_EQ(value.date(), theirs[i].at(field).date()) << field;
        else
          ASSERT_EQ(value.text(), theirs[i].at(field).text()) << field;
      }
  }
}

TEST_P(Invoicing, TheInvoicesAreTheProgramsInItsFormWithTheirPaymentsAndLines) {
  std::map<std::string, std::vector<const Row*>> payments, theirLines, ourLines;
  const auto zap = rows(data() / "ZAP.DBF");
  for (const Row& p : zap) payments[key(p, "ROK_FAK", "NR_FAK")].push_back(&p);
  const auto theirP = rows(data() / "SPR_P.DBF");
  for (const Row& l : theirP) theirLines[key(l)].push_back(&l);
  const auto ourP = rows(dir.path() / "SPR_P.DBF");
  for (const Row& l : ourP) ourLines[text(l, "DOKUMENT")].push_back(&l);
  const auto theirs = rows(data() / "SPR_N.DBF");
  const auto ours = rows(dir.path() / "SPR_N.DBF");
  ASSERT_EQ(ours.size(), theirs.size());
  const rt::Date today = rt::Date::fromDtos(kToday);
  for (std::size_t i = 0; i < ours.size(); ++i) {
    const Row& t = theirs[i];
    const Row& o = ours[i];
    SCOPED_TRACE(document(t));
    ASSERT_EQ(text(o, "DOKUMENT"), document(t));
    for (const char* f : {"NR_KON", "KONTO", "NAZWA_KON", "MIASTO", "ADRES", "RODZAJ_DOK", "SERIA_FAK", "ROK_DOK", "NR_DOK"})
      ASSERT_EQ(text(o, f), text(t, f)) << f;
    ASSERT_EQ(dtos(o, "DATA_DOK"), dtos(t, "DATA_DOK"));
    ASSERT_EQ(dtos(o, "DATA_PLA"), dtos(t, "DATA_PLA"));
    ASSERT_EQ(num(o, "WART_BRU"), num(t, "WART_ZAP"));
    ASSERT_EQ(num(o, "WN"), num(t, "WN"));
    double paid = 0;
    rt::Date last;
    for (const Row* p : payments[key(t)]) {
      paid += num(*p, "KWOTA");
      last = std::max(last, p->at("DATA_ZAP").date());
    }
    ASSERT_NEAR(paid + num(t, "WN"), num(t, "WART_ZAP"), 0.005);
    const rt::Date settled = num(t, "WN") == 0 ? last : rt::Date();
    ASSERT_EQ(o.at("DATA_ZAP").date(), settled);
    const rt::Date end = settled.empty() ? today : settled;
    ASSERT_EQ(std::stoi(text(o, "DNI_PO")), std::min(9999, end.julianDay() - t.at("DATA_PLA").date().julianDay()));
    // The lines: the same goods, quantities and prices; the header's values their sums.
    const auto& tl = theirLines[key(t)];
    const auto& ol = ourLines[document(t)];
    ASSERT_EQ(tl.size(), ol.size());
    std::map<std::string, double> net;
    for (std::size_t k = 0; k < tl.size(); ++k) {
      ASSERT_EQ(text(*tl[k], "INDEKS"), text(*ol[k], "INDEKS"));
      ASSERT_EQ(num(*tl[k], "ILOSC"), num(*ol[k], "ILOSC"));
      ASSERT_EQ(num(*tl[k], "CENA_SPR"), num(*ol[k], "CENA_SPR"));
      net[text(*tl[k], "VAT")] += std::round(num(*tl[k], "ILOSC") * num(*tl[k], "CENA_SPR") * 100) / 100;
    }
    ASSERT_NEAR(num(t, "WART_NET1"), net["23"], 0.005);
    ASSERT_NEAR(num(t, "WART_NET2"), net["8"], 0.005);
    ASSERT_NEAR(num(t, "WART_NET3"), net["5"], 0.005);
    const double vat = num(t, "WART_VAT1") + num(t, "WART_VAT2") + num(t, "WART_VAT3") + num(t, "WART_VAT4");
    ASSERT_NEAR(num(t, "WART_ZAP"), num(t, "WART_NET1") + num(t, "WART_NET2") + num(t, "WART_NET3") + num(t, "WART_NET4") + vat, 0.005);
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, Invoicing, ::testing::Values(1, 3));

}  // namespace
