// zelmoran-tool mkdemo: a demo company at scale 1 for head office and for representative 01.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "store/index_catalogue.hpp"
#include "sys/posix_env.hpp"
#include "tools/table_rows.hpp"
#include "tools/tool_run.hpp"
#include "xbase/dbf_file.hpp"

namespace {

using tooltest::quoted;
using tooltest::runTool;

constexpr const char* kToday = "20261210";

using tooltest::Row;
using tooltest::rows;
using tooltest::text;

class Demo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testkit::TempDir;
    for (const char* role : {"hq", "ph01"}) {
      const auto r = runTool("mkdemo " + quoted(dir_->path() / role) + " --role " + role, kToday);
      ASSERT_EQ(r.status, 0) << r.err;
    }
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::filesystem::path at(const std::string& role) { return dir_->path() / role; }
  static testkit::TempDir* dir_;
};
testkit::TempDir* Demo::dir_ = nullptr;

TEST_F(Demo, TwoRunsGiveTheSameBytes) {
  testkit::TempDir again;
  const auto r = runTool("mkdemo " + quoted(again.path()) + " --role hq", kToday);
  ASSERT_EQ(r.status, 0) << r.err;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(at("hq"))) {
    if (!entry.is_regular_file()) continue;
    const auto rel = std::filesystem::relative(entry.path(), at("hq"));
    SCOPED_TRACE(rel.string());
    EXPECT_EQ(testkit::readFile(entry.path()), testkit::readFile(again.path() / rel));
    ++files;
  }
  EXPECT_GT(files, 40);
}

// Every table passes the tool's check, and so does every index of the catalogue against
// its table (the demo is built with all of them, in the program folder or station 01's).
TEST_F(Demo, EveryTableAndIndexVerifies) {
  for (const char* role : {"hq", "ph01"}) {
    std::set<std::string> checked;
    for (const store::CatalogueTable& t : store::indexCatalogue()) {
      const std::filesystem::path folder = t.inStation ? at(role) / "DANE#01" : at(role);
      std::string args = "verify " + quoted(folder / (std::string(t.table) + ".DBF"));
      int indexes = 0;
      for (const store::IndexEntry& x : t.indexes) {
        if (x.repairOnly) continue;
        args += " " + quoted((x.inStation ? at(role) / "DANE#01" : at(role)) / (std::string(x.file) + ".NTX"));
        ++indexes;
      }
      SCOPED_TRACE(std::string(role) + " " + std::string(t.table));
      const auto r = runTool(args);
      EXPECT_EQ(r.status, 0) << r.out << r.err;
      EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), indexes + 1) << r.out;
      checked.insert(std::string(t.table));
    }
    for (const auto& entry : std::filesystem::directory_iterator(at(role))) {
      const std::string table = entry.path().stem().string();
      if (entry.path().extension() != ".DBF" || checked.count(table)) continue;
      SCOPED_TRACE(std::string(role) + " " + table);
      const auto r = runTool("verify " + quoted(entry.path()));
      EXPECT_EQ(r.status, 0) << r.out << r.err;
    }
  }
}

TEST_F(Demo, TheRoleDecidesTheAccountAndTheContractors) {
  struct Case { const char* role; const char* account; std::set<std::string> contractorAccounts; const char* arch; };
  const Case cases[] = {
      {"hq", "00000", {"00000", "00001", "00002", "00003"}, "arj a ARC_CE.ARJ"},
      {"ph01", "00001", {"00000", "00001"}, "arj a ARC_PH01.ARJ"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.role);
    const auto config = rows(at(c.role) / "CONFIG.DBF");
    ASSERT_EQ(config.size(), 1u);
    EXPECT_EQ(text(config[0], "KONTO_PH"), c.account);
    EXPECT_EQ(text(config[0], "ARCH_1").rfind(c.arch, 0), 0u) << text(config[0], "ARCH_1");
    std::set<std::string> accounts, numbers;
    for (const Row& k : rows(at(c.role) / "KON.DBF")) {
      accounts.insert(text(k, "KONTO"));
      numbers.insert(text(k, "NR_KON"));
    }
    EXPECT_EQ(accounts, c.contractorAccounts);
    for (const Row& d : rows(at(c.role) / "SPR_N.DBF")) ASSERT_TRUE(numbers.count(text(d, "NR_KON"))) << text(d, "DOKUMENT");
    for (const Row& u : rows(at(c.role) / "UPUSTY.DBF")) ASSERT_TRUE(numbers.count(text(u, "NR_KON")));
  }
}

// Documents: the 360 days before today in date order, numbered from 1 in each year, each
// with lines of goods that exist, and a head whose gross value is the nets of its lines by
// VAT rate and the VAT of each rate, each brought to 2 decimals.
TEST_F(Demo, SalesDocumentsHangTogether) {
  std::set<std::string> goods;
  for (const Row& t : rows(at("hq") / "TOW.DBF")) goods.insert(text(t, "INDEKS"));
  EXPECT_EQ(goods.size(), 501u) << "500 and the remarks goods 00000";
  std::map<std::string, std::map<std::string, double>> nets;
  for (const Row& p : rows(at("hq") / "SPR_P.DBF")) {
    ASSERT_TRUE(goods.count(text(p, "INDEKS")));
    ASSERT_NE(text(p, "INDEKS"), "00000");
    nets[text(p, "DOKUMENT")][text(p, "VAT")] += std::round(p.at("ILOSC").num() * p.at("CENA_SPR").num() * 100) / 100;
  }
  std::map<std::string, double> gross;
  for (const auto& [doc, byRate] : nets)
    for (const auto& [vat, net] : byRate) {
      const double rate = vat == "zw" ? 0 : std::stoi(vat) / 100.0;
      gross[doc] += std::round(net * 100) / 100 + std::round(net * rate * 100) / 100;
    }
  const auto heads = rows(at("hq") / "SPR_N.DBF");
  ASSERT_EQ(heads.size(), 2000u);
  const rt::Date today = rt::Date::fromDtos(kToday);
  rt::Date previous;
  int expectedNumber = 0;
  for (const Row& d : heads) {
    const std::string doc = text(d, "DOKUMENT");
    SCOPED_TRACE(doc);
    const rt::Date date = d.at("DATA_DOK").date();
    ASSERT_GE(date.julianDay(), today.julianDay() - 360);
    ASSERT_LT(date.julianDay(), today.julianDay());
    ASSERT_GE(date, previous);
    expectedNumber = previous.empty() || date.ymd().year != previous.ymd().year ? 1 : expectedNumber + 1;
    EXPECT_EQ(std::stoi(text(d, "NR_DOK")), expectedNumber);
    EXPECT_EQ(text(d, "ROK_DOK"), std::to_string(date.ymd().year));
    EXPECT_NEAR(d.at("WART_BRU").num(), gross[doc], 0.005);
    previous = date;
  }
}

TEST(MkdemoUsage, BadArgumentsAreRefused) {
  testkit::TempDir dir;
  for (const char* args : {"--role ph26", "--role ph1", "--role boss", "--scale 0", "--scale x", "--colour red", ""}) {
    SCOPED_TRACE(args);
    const auto r = runTool("mkdemo " + std::string(*args ? quoted(dir / "x") + " " : "") + args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("zelmoran-tool mkdemo:"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x" / "CONFIG.DBF"));
  }
}

}  // namespace
