// zelmoran-tool mkinst: the installation built from data/, read back through the table
// files, the operators' login path and the menu tree.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>

#include "access/scramble.hpp"
#include "access/stamp.hpp"
#include "core/commands.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "rt/runtime.hpp"
#include "store/schema.hpp"
#include "sys/posix_env.hpp"
#include "tools/tool_run.hpp"
#include "xbase/dbf_file.hpp"
#include "testkit/build_paths.hpp"

namespace {

using tooltest::quoted;
using tooltest::runTool;

const std::filesystem::path kData = testkit::sourceDir() / "data";

// One installation built once for the tests that only read it.
class Installation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testkit::TempDir;
    const auto r = runTool("mkinst " + quoted(kData) + " " + quoted(dir_->path() / "inst"));
    ASSERT_EQ(r.status, 0) << r.err;
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::filesystem::path target() { return dir_->path() / "inst"; }

  // Every record of a table as field name -> value text (trailing blanks cut; numbers as
  // whole numbers).
  static std::vector<std::map<std::string, std::string>> rows(const std::string& table) {
    sys::PosixEnv env;
    sys::SystemClock clock;
    auto t = xbase::DbfFile::open(env, clock, (target() / (table + ".DBF")).string(), xbase::Share::SharedReadOnly);
    EXPECT_TRUE(t) << table;
    std::vector<std::map<std::string, std::string>> out;
    if (!t) return out;
    std::vector<std::byte> rec((*t)->recordLength());
    for (std::uint32_t r = 1; (*t)->readRecord(r, rec); ++r) {
      auto& row = out.emplace_back();
      for (std::size_t i = 0; i < (*t)->fields().size(); ++i) {
        const rt::Value v = (*t)->value(rec, i);
        std::string text = v.isNumber() ? std::to_string(std::lround(v.num())) : v.isText() ? v.text() : "";
        text.erase(text.find_last_not_of(' ') + 1);
        row[(*t)->fields()[i].name] = text;
      }
    }
    (*t)->close();
    return out;
  }

  static testkit::TempDir* dir_;
};
testkit::TempDir* Installation::dir_ = nullptr;

TEST_F(Installation, EveryCatalogueTableHasTheCataloguesStructure) {
  sys::PosixEnv env;
  sys::SystemClock clock;
  for (const store::TableDef& def : store::catalogue()) {
    SCOPED_TRACE(std::string(def.name));
    auto t = xbase::DbfFile::open(env, clock, (target() / (std::string(def.name) + ".DBF")).string(),
                                  xbase::Share::SharedReadOnly);
    ASSERT_TRUE(t);
    const auto& fields = (*t)->fields();
    ASSERT_EQ(fields.size(), def.fields.size());
    bool memo = false;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      EXPECT_EQ(fields[i].name, def.fields[i].name);
      EXPECT_EQ(static_cast<char>(fields[i].type), def.fields[i].type);
      EXPECT_EQ(fields[i].length, def.fields[i].width);
      EXPECT_EQ(fields[i].decimals, def.fields[i].decimals);
      memo = memo || def.fields[i].type == 'M';
    }
    EXPECT_EQ((*t)->hasMemo(), memo);
    (*t)->close();
  }
}

TEST_F(Installation, ConfigurationStatusAndStationFolders) {
  const auto config = rows("CONFIG");
  ASSERT_EQ(config.size(), 1u);
  EXPECT_EQ(config[0].at("KONTO_PH"), "00000");
  EXPECT_EQ(config[0].at("LICZBA_STA"), "5");
  EXPECT_NE(config[0].at("FORMAT_IND").find("99999"), std::string::npos);  // no goods-code conversion at start
  const auto status = rows("STATUS");
  ASSERT_EQ(status.size(), 1u);
  EXPECT_EQ(status[0].at("DATA_LIC"), "180916");
  for (const char* station : {"DANE#01", "DANE#05"}) {
    SCOPED_TRACE(station);
    EXPECT_TRUE(std::filesystem::exists(target() / station / "PARADRUK.DBF"));
    EXPECT_TRUE(std::filesystem::exists(target() / station / "PARADRUK.NTX"));
  }
  EXPECT_FALSE(std::filesystem::exists(target() / "DANE#06"));
  EXPECT_TRUE(std::filesystem::exists(target() / "dorvik.mem"));
}

// The login seeks the scrambled, upper-cased, padded password in SL_OPE_H and checks the
// record's stamp.
TEST_F(Installation, DemoOperatorsLogInWithTheirPasswords) {
  sys::PosixEnv env;
  sys::SystemClock clock;
  rt::Runtime runtime;
  db::Workspace ws(env, clock, runtime);
  auto area = ws.use((target() / "SL_OPE.DBF").string(), {"SL_OPE", xbase::Share::SharedReadOnly, true});
  ASSERT_TRUE(area);
  db::WorkArea& t = **area;
  ASSERT_TRUE(t.addOrder((target() / "SL_OPE_H.NTX").string()));
  t.setOrder(1);
  struct Case { const char* typed; const char* kod; int priority; };
  const Case cases[] = {{"ADMIN1", "ADM", 9}, {"admin1", "ADM", 9}, {"OPER01", "OPE", 5}, {"ADMIN2", nullptr, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const bool found = t.seek(rt::Value::character(operators::scramble(operators::normalisePassword(c.typed))),
                              db::SeekMode::Exact);
    ASSERT_EQ(found, c.kod != nullptr);
    if (!found) continue;
    EXPECT_EQ(t.value(*t.fieldIndex("KOD")).text(), c.kod);
    EXPECT_EQ(t.value(*t.fieldIndex("PRIORYTET")).num(), c.priority);
    EXPECT_TRUE(operators::verifiesStamp(t));
  }
  ws.closeAll();
}

// The service command, which a menu row runs besides the command table's operations.
constexpr const char* kScreens[] = {"UNI"};

TEST_F(Installation, MenuRunsEveryCommandInAStampedTreeWithHelp) {
  const auto menu = rows("MENU");
  std::set<std::string> procedures, helpKeys;
  std::map<long, int> perLevel;
  std::set<long> codes;
  for (const auto& r : menu) {
    procedures.insert(r.at("PROCEDURA"));
    helpKeys.insert(r.at("HBAZA"));
    const long code = std::stol(r.at("OPCJA"));
    codes.insert(code);
    ++perLevel[code / 10];
    EXPECT_TRUE(r.at("MIEJSCE").empty() || r.at("MIEJSCE") == "C" || r.at("MIEJSCE") == "P") << code;
  }
  std::set<std::string> runnable(std::begin(kScreens), std::end(kScreens));
  for (const core::Command& c : core::commandTable()) runnable.insert(std::string(c.name));
  for (const std::string& command : runnable) EXPECT_TRUE(procedures.count(command + "()")) << command;
  // ... and nothing else, but the submenus.
  for (const std::string& p : procedures)
    if (p.rfind("MENU(", 0) != 0) {
      EXPECT_TRUE(runnable.count(p.substr(0, p.find('(')))) << p;
    }
  // Each submenu entry opens a level that has entries; a level shows at most nine, the
  // main menu eight besides its closing entry; every entry sits under an existing parent.
  for (const auto& r : menu) {
    const std::string p = r.at("PROCEDURA");
    if (p.rfind("MENU(", 0) == 0) {
      EXPECT_GT(perLevel[std::stol(p.substr(5))], 0) << p;
    }
    const long code = std::stol(r.at("OPCJA"));
    if (code >= 10) {
      EXPECT_TRUE(codes.count(code / 10)) << code;
    }
  }
  for (const auto& [level, count] : perLevel) EXPECT_LE(count, level == 0 ? 8 : 9) << level;
  // Stamps, as the menu engine checks them.
  sys::PosixEnv env;
  sys::SystemClock clock;
  rt::Runtime runtime;
  db::Workspace ws(env, clock, runtime);
  auto area = ws.use((target() / "MENU.DBF").string(), {"MENU", xbase::Share::SharedReadOnly, true});
  ASSERT_TRUE(area);
  for ((*area)->goTop(); !(*area)->eof(); (*area)->skip()) EXPECT_TRUE(operators::verifiesStamp(**area)) << (*area)->recno();
  ws.closeAll();
  // Help: the main menu, the editing help and every entry's topic.
  std::set<std::string> topics;
  for (const auto& r : rows("HELP")) topics.insert(r.at("BASE"));
  helpKeys.insert({"PROG", "CPEDIT"});
  for (const std::string& k : helpKeys) EXPECT_TRUE(topics.count(k)) << k;
}

TEST_F(Installation, TextsAreStoredInCp852AndHelpAsMemoLines) {
  const auto menu = rows("MENU");
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu[0].at("TRESC"), rt::cp852FromUtf8("Zamówienia"));
  sys::PosixEnv env;
  sys::SystemClock clock;
  auto t = xbase::DbfFile::open(env, clock, (target() / "HELP.DBF").string(), xbase::Share::SharedReadOnly);
  ASSERT_TRUE(t);
  std::vector<std::byte> rec((*t)->recordLength());
  ASSERT_TRUE((*t)->readRecord(1, rec));
  const std::string text = (*t)->memoText(rec, *(*t)->fieldIndex("OPIS"));
  EXPECT_EQ(text.substr(0, text.find("\r\n")), rt::cp852FromUtf8("ZELMORAN - program zamówień i kontaktów z klientami."));
  EXPECT_NE(text.find("\r\n\r\n"), std::string::npos);  // an empty line kept
  (*t)->close();
}

// A menu row is 36 columns wide and the help window shows 78 columns of text.
TEST_F(Installation, MenuAndHelpTextsFitTheirWindows) {
  for (const auto& r : rows("MENU")) EXPECT_LE(r.at("TRESC").size(), 34u) << rt::utf8FromCp852(r.at("TRESC"));
  sys::PosixEnv env;
  sys::SystemClock clock;
  auto t = xbase::DbfFile::open(env, clock, (target() / "HELP.DBF").string(), xbase::Share::SharedReadOnly);
  ASSERT_TRUE(t);
  std::vector<std::byte> rec((*t)->recordLength());
  for (std::uint32_t r = 1; (*t)->readRecord(r, rec); ++r) {
    const std::string text = (*t)->memoText(rec, *(*t)->fieldIndex("OPIS"));
    for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
      end = std::min(text.find("\r\n", at), text.size());
      EXPECT_LE(end - at, 78u) << rt::utf8FromCp852(text.substr(at, end - at));
    }
  }
  (*t)->close();
}

// ---- the source files ------------------------------------------------------------------

void copyData(const std::filesystem::path& to) {
  std::filesystem::copy(kData, to, std::filesystem::copy_options::recursive);
}

void appendTo(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::app) << text;
}

int lineCount(const std::filesystem::path& file) {
  const std::string all = testkit::readFile(file);
  return static_cast<int>(std::count(all.begin(), all.end(), '\n'));
}

TEST(MkinstSource, ABadLineIsNamedByFileAndLineAndNothingIsWritten) {
  struct Case { const char* file; const char* added; const char* message; };
  const Case cases[] = {
      {"SL_JM.txt", "kg2 | abcdefghijklmnopqrstu\n", "OPIS_JM: 21 characters, the field holds 20"},
      {"SL_JM.txt", "szt | sztuka | nadmiar\n", "3 cells where @columns names 2"},
      {"SL_PLA.txt", "PRZ60 | Przelew 60 dni | sześćdziesiąt\n", "DNI: not a number"},
      {"SL_PLA.txt", "PRZ99 | Przelew | 1000\n", "too wide"},
      {"SL_CRM.txt", "8 | Cena w €\n", "without a CP852 code"},
      {"STATUS.txt", "@record\nDATA_AKT: 20240231\n", "not a date"},
      {"SL_KONT.txt", "@columns KONTO | TELEFON\n", "no field TELEFON in table SL_KONT"},
      {"SL_OPE.txt", "XYZ | HASLO12 | 1 | Za długie hasło | | |\n", "a password has at most 6 characters"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    testkit::TempDir dir;
    copyData(dir / "data");
    const int line = lineCount(dir / "data" / c.file) + 1;
    appendTo(dir / "data" / c.file, c.added);
    const auto r = runTool("mkinst " + quoted(dir / "data") + " " + quoted(dir / "inst"));
    EXPECT_EQ(r.status, 2);
    const std::string where = (dir / "data" / c.file).string() + ":";
    EXPECT_NE(r.err.find(where), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    const int reported = std::atoi(r.err.c_str() + r.err.find(where) + where.size());
    EXPECT_GE(reported, line) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "inst" / "CONFIG.DBF"));
  }
}

TEST(MkinstSource, AFileThatNamesNoTableIsRefused) {
  testkit::TempDir dir;
  copyData(dir / "data");
  appendTo(dir / "data" / "KLIENCI.txt", "@columns NR\n1\n");
  const auto r = runTool("mkinst " + quoted(dir / "data") + " " + quoted(dir / "inst"));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("KLIENCI.txt:1: no table KLIENCI in the catalogue"), std::string::npos) << r.err;
}

TEST(Mkinst, AnExistingInstallationIsReplacedOnlyWithForce) {
  testkit::TempDir dir;
  const std::string args = "mkinst " + quoted(kData) + " " + quoted(dir / "inst");
  ASSERT_EQ(runTool(args).status, 0);
  appendTo(dir / "inst" / "marker", "");
  std::filesystem::resize_file(dir / "inst" / "SL_OPE.DBF", 10);  // a damaged table
  const auto refused = runTool(args);
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
  EXPECT_EQ(std::filesystem::file_size(dir / "inst" / "SL_OPE.DBF"), 10u);
  const auto forced = runTool(args + " --force");
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_GT(std::filesystem::file_size(dir / "inst" / "SL_OPE.DBF"), 10u);
}

}  // namespace
