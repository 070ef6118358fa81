// tests/db/bulk_test.cpp — COPY TO, the structure copies, APPEND FROM, TOTAL, PACK and ZAP.
#include <gtest/gtest.h>

#include <set>

#include "db/bulk_append.hpp"
#include "db/bulk_copy.hpp"
#include "db/bulk_index.hpp"
#include "db/bulk_pack.hpp"
#include "db/bulk_total.hpp"
#include "db/verify.hpp"
#include "db_testing.hpp"
#include "sys/fault_env.hpp"
#include "testkit/temp_dir.hpp"

namespace {

using dbtest::column;
using dbtest::Station;
using dbtest::text;
using Strings = std::vector<std::string>;

// KOD, ILE, OPIS (memo); record 2 deleted.
std::string sample(Station& st, const std::string& name = "T.DBF") {
  const std::string p = st.makeTable(name, {{"KOD", 'C', 4}, {"ILE", 'N', 5, 1}, {"OPIS", 'M'}},
                                     {{"b", "1.5", "memo b"}, {"a", "2", "memo a", "*"}, {"c", "3", ""}, {"a", "4", "x"}});
  return p;
}

TEST(BulkCopy, CopiesVisibleRecordsInIndexOrderWithFieldsAndFor) {
  Station st;
  db::WorkArea& a = st.use(sample(st));
  ASSERT_TRUE(db::indexOn(a, st.path("T.NTX"), {"KOD"}));
  db::CopyOptions o;
  o.fields = {"OPIS", "KOD"};
  o.forCondition = st.ws->compile("KOD#'c'");
  auto n = db::copyTo(a, st.path("CP.DBF"), o);
  ASSERT_TRUE(n);
  EXPECT_EQ(*n, 2u);
  EXPECT_TRUE(a.eof());
  db::WorkArea& c = st.use(st.path("CP.DBF"));
  EXPECT_EQ(c.field(0).name, "OPIS");
  EXPECT_EQ(column(c, "KOD"), (Strings{"a", "b"}));
  EXPECT_EQ(column(c, "OPIS"), (Strings{"x", "memo b"}));
  EXPECT_TRUE(db::copyTo(a, st.path("DP.DBF"), {{"NONE"}, {}, {}}).error().is(base::Errc::Invalid));
}

TEST(BulkCopy, DeletedRecordsAreCopiedMarkedOnlyWhileShown) {
  for (bool hide : {true, false}) {
    SCOPED_TRACE(hide);
    Station st;
    st.rt.settings().deleted = hide;
    db::WorkArea& a = st.use(sample(st));
    ASSERT_EQ(*db::copyTo(a, st.path("CP.DBF")), hide ? 3u : 4u);
    db::WorkArea& c = st.use(st.path("CP.DBF"));
    c.goTo(2);
    EXPECT_EQ(text(c.value(0)), hide ? "c" : "a");
    EXPECT_EQ(c.deleted(), !hide);
  }
}

TEST(BulkCopy, WhileStartsAtTheCurrentRecordAndStopsAtTheFirstFailure) {
  Station st;
  db::WorkArea& a = st.use(sample(st));
  a.goTo(3);
  db::CopyOptions o;
  o.whileCondition = st.ws->compile("KOD='c'");
  EXPECT_EQ(*db::copyTo(a, st.path("CP.DBF"), o), 1u);
  EXPECT_EQ(a.recno(), 4u);
}

TEST(BulkCopy, AStructureTableRoundTripsIncludingWideTextFields) {
  Station st;
  const std::string p = st.makeTable("W.DBF", {{"KOD", 'C', 300}, {"ILE", 'N', 12, 3}, {"DAT", 'D'}, {"OK", 'L'}, {"OPIS", 'M'}}, {});
  db::WorkArea& a = st.use(p);
  ASSERT_TRUE(db::copyStructureExtended(a, st.path("S.DBF")));
  db::WorkArea& s = st.use(st.path("S.DBF"));
  EXPECT_EQ(column(s, "FIELD_NAME"), (Strings{"KOD", "ILE", "DAT", "OK", "OPIS"}));
  EXPECT_EQ(column(s, "FIELD_LEN"), (Strings{"44", "12", "8", "1", "10"})) << "300 = 44 + 256 * 1";
  EXPECT_EQ(column(s, "FIELD_DEC"), (Strings{"1", "3", "0", "0", "0"}));
  st.ws->close(s.number());
  const base::Status created = db::createFrom(*st.ws, st.path("N.DBF"), st.path("S.DBF"));
  ASSERT_TRUE(created) << created.toString();
  db::WorkArea& n = st.use(st.path("N.DBF"));
  ASSERT_EQ(n.fieldCount(), 5u);
  EXPECT_EQ(n.field(0).length, 300);
  EXPECT_EQ(n.field(1).decimals, 3);
  EXPECT_TRUE(n.table().hasMemo());
  ASSERT_TRUE(db::copyStructure(a, st.path("KS.DBF"), {"ILE"}));
  EXPECT_EQ(st.use(st.path("KS.DBF")).fieldCount(), 1u);
}

TEST(BulkAppend, MatchesFieldsByNameCutsTextAndFollowsTheDeletedSetting) {
  for (bool hide : {true, false}) {
    SCOPED_TRACE(hide);
    Station st;
    st.rt.settings().deleted = hide;
    const std::string src = sample(st, "SRC.DBF");
    db::WorkArea& a = st.use(st.makeTable("DST.DBF", {{"ILE", 'N', 2}, {"X", 'C', 2}, {"KOD", 'C', 2}, {"OPIS", 'M'}},
                                          {{"9", "zz", "q", ""}}));
    ASSERT_TRUE(db::indexOn(a, st.path("DST.NTX"), {"KOD"}));
    auto n = db::appendFrom(a, src, {{}, "KOD#'c'"});
    ASSERT_TRUE(n);
    EXPECT_EQ(*n, hide ? 2u : 3u);
    EXPECT_EQ(st.ws->selected(), a.number());
    EXPECT_EQ(st.ws->areaOf("ZELAPPENDSRC"), 0) << "the source is closed";
    st.rt.settings().deleted = false;
    EXPECT_EQ(column(a, "KOD"), hide ? (Strings{"a", "b", "q"}) : (Strings{"a", "a", "b", "q"})) << "in the index";
    a.goTo(2);
    EXPECT_EQ(text(a.value(0)), "2") << "1.5 rounds into N2";
    EXPECT_EQ(text(a.value(1)), "");
    EXPECT_EQ(text(a.value(3)), "memo b");
    a.goTo(3);
    EXPECT_EQ(a.deleted(), !hide);
  }
}

TEST(BulkTotal, OneRecordPerRunOfEqualKeysWithSums) {
  Station st;
  db::WorkArea& a = st.use(st.makeTable("T.DBF", {{"KOD", 'C', 3}, {"ILE", 'N', 3}, {"CENA", 'N', 5, 1}, {"OPIS", 'M'}},
                                         {{"b", "1", "1"}, {"a", "500", "1.5"}, {"b", "2", "2"}, {"a", "600", "2"}, {"c", "5", "7"}}));
  ASSERT_TRUE(db::indexOn(a, st.path("T.NTX"), {"KOD"}));
  auto n = db::total(a, st.path("S.DBF"), st.ws->compile("KOD"), {"ILE", "CENA"});
  ASSERT_TRUE(n);
  EXPECT_EQ(*n, 3u);
  db::WorkArea& s = st.use(st.path("S.DBF"));
  EXPECT_FALSE(s.table().hasMemo());
  EXPECT_EQ(column(s, "KOD"), (Strings{"a", "b", "c"}));
  EXPECT_EQ(column(s, "CENA"), (Strings{"3.5", "3", "7"}));
  s.goTop();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.record().data()) + 4, 3), "***") << "1100 overflows N3";
  EXPECT_TRUE(db::total(a, st.path("X.DBF"), st.ws->compile("KOD"), {"KOD"}).error().is(base::Errc::Invalid));
}

TEST(BulkPack, RemovesDeletedRecordsKeepsMemosAndRebuildsIndexes) {
  Station st;
  st.rt.settings().deleted = false;
  const std::string p = sample(st);
  db::WorkArea& a = st.use(p);
  ASSERT_TRUE(db::indexOn(a, st.path("T.NTX"), {"KOD"}));
  a.goTo(3);
  ASSERT_TRUE(a.deleteRecord());
  ASSERT_TRUE(db::pack(a));
  EXPECT_EQ(a.lastRec(), 2u);
  EXPECT_EQ(a.recno(), 2u) << "top of the KOD order: a is now record 2";
  EXPECT_EQ(column(a, "KOD"), (Strings{"a", "b"}));
  EXPECT_EQ(column(a, "OPIS"), (Strings{"x", "memo b"}));
  EXPECT_EQ(a.controllingOrder()->file().keyCount(), 2u);
  EXPECT_FALSE(std::filesystem::exists(st.path("~T.DBF")));
  st.ws->closeAll();
  EXPECT_EQ(std::filesystem::file_size(p), 32u * 4 + 2 + 2 * 20 + 1) << "header, two records, 0x1A";
}

TEST(BulkPack, ZapEmptiesTableMemoAndIndexes) {
  Station st;
  db::WorkArea& a = st.use(sample(st));
  ASSERT_TRUE(db::indexOn(a, st.path("T.NTX"), {"KOD"}));
  ASSERT_TRUE(db::zap(a));
  EXPECT_EQ(a.lastRec(), 0u);
  EXPECT_TRUE(a.eof());
  EXPECT_EQ(a.controllingOrder()->file().keyCount(), 0u);
  EXPECT_EQ(std::filesystem::file_size(st.path("T.DBT")), 512u);
  ASSERT_TRUE(a.appendBlank());
  ASSERT_TRUE(a.replace("OPIS", rt::Value::character("nowy")));
  a.goTop();
  EXPECT_EQ(text(a.value(2)), "nowy");
}

TEST(BulkPack, AFailedRenameLeavesTheOldTableWhole) {
  Station st;
  const std::string p = sample(st);
  const std::string before = testkit::readFile(p);
  sys::FaultEnv faulty(st.env);
  db::Workspace ws(faulty, st.clock, st.rt, dbtest::smallCompiler(st.wsPtr));
  db::WorkArea& a = **ws.use(p, {"", xbase::Share::Exclusive, false});
  faulty.failNth(sys::FaultOp::Rename, 1);
  EXPECT_THROW((void)db::pack(a), base::IoFault);
  ws.closeAll();
  EXPECT_EQ(testkit::readFile(p), before);
  EXPECT_FALSE(std::filesystem::exists(st.path("~T.DBF")));
}

TEST(BulkPack, PackAndZapNeedExclusiveUse) {
  Station st;
  db::WorkArea& a = st.use(sample(st), xbase::Share::Shared);
  EXPECT_TRUE(db::pack(a).is(base::Errc::Refused));
  EXPECT_TRUE(db::zap(a).is(base::Errc::Refused));
  EXPECT_TRUE(db::reindex(a).is(base::Errc::Refused));
  EXPECT_EQ(a.lastRec(), 4u);
}

// Indexes built together from one pass are, byte for byte, the files that builds of their
// own write: keys read from the bytes and through the runtime, a condition, UNIQUE, numbers.
TEST(BulkIndex, IndexesBuiltTogetherEqualSeparateBuilds) {
  Station st;
  rt::Runtime rt;
  db::Workspace ws(st.env, st.clock, rt);  // the runtime's own compiler, for IIF()
  const auto use = [&](const std::string& table) -> db::WorkArea& {
    return **ws.use(table, {"MANY", xbase::Share::Exclusive, false});
  };
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < 3000; ++i)
    rows.push_back({std::string(1, static_cast<char>('A' + i * 7 % 26)) + std::to_string(i * 37 % 101),
                    std::to_string(i * 13 % 500) + ".5", "", i % 9 == 0 ? "*" : ""});
  const std::string table = st.makeTable("MANY.DBF", {{"KOD", 'C', 6}, {"ILE", 'N', 6, 1}, {"OPIS", 'M'}}, rows);
  const std::vector<db::IndexSpec> specs = {
      {"KOD"}, {"ILE"}, {"KOD", "ILE>100"}, {"KOD", "", true}, {"iif(ILE>250,KOD,'-'+KOD)"}, {"upper(KOD)+str(ILE,6,1)"}};
  std::vector<db::IndexTarget> together;
  for (std::size_t i = 0; i < specs.size(); ++i) {
    db::WorkArea& a = use(table);
    ASSERT_TRUE(db::indexOn(a, st.path("S" + std::to_string(i) + ".NTX"), specs[i]));
    ws.closeAll();
    together.push_back({st.path("T" + std::to_string(i) + ".NTX"), specs[i]});
  }
  db::WorkArea& a = use(table);
  std::vector<std::uint64_t> keys;
  ASSERT_TRUE(db::indexAll(a, together, &keys));
  std::set<std::string> codes;
  std::uint64_t over100 = 0;
  for (const auto& r : rows) {
    codes.insert(r[0]);
    over100 += std::stod(r[1]) > 100 ? 1 : 0;
  }
  EXPECT_EQ(keys, (std::vector<std::uint64_t>{3000, 3000, over100, codes.size(), 3000, 3000}));
  EXPECT_EQ(a.orderCount(), specs.size());
  EXPECT_EQ(a.orderNumber(), 1);
  for (std::size_t i = 0; i < specs.size(); ++i) {
    SCOPED_TRACE(specs[i].key + " for " + specs[i].condition);
    EXPECT_EQ(testkit::readFile(st.path("T" + std::to_string(i) + ".NTX")),
              testkit::readFile(st.path("S" + std::to_string(i) + ".NTX")));
  }
  // REINDEX over the same list rewrites the same files.
  ASSERT_TRUE(db::reindex(a));
  for (std::size_t i = 0; i < specs.size(); ++i)
    EXPECT_EQ(testkit::readFile(st.path("T" + std::to_string(i) + ".NTX")),
              testkit::readFile(st.path("S" + std::to_string(i) + ".NTX")));
}

// An index written elsewhere keeps the key width of its header: appends, changes and
// REINDEX write keys of that width, whatever the key expression gives on a blank record (a
// trimmed key gives nothing there; a key over a field widened later gives more).
TEST(BulkIndex, AnExistingIndexKeepsTheKeyWidthOfItsHeader) {
  Station st;
  rt::Runtime rt;
  db::Workspace ws(st.env, st.clock, rt);  // the runtime's own compiler, for TRIM()
  struct Case {
    const char* table;
    const char* index;
    const char* key;
    std::uint16_t width;
  };
  const Case cases[] = {{"KODT.DBF", "KODT.NTX", "TRIM(KOD)", 10}, {"KOD6.DBF", "KOD6.NTX", "KOD", 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    const std::string table = st.makeTable(c.table, {{"KOD", 'C', 10}}, {{"ALFA"}});
    ASSERT_TRUE(xbase::NtxFile::create(st.env, st.path(c.index), {c.key, "", c.width, 0, false, false},
                                       xbase::NtxUse::Exclusive));
    db::WorkArea& a = **ws.use(table, {"KODY", xbase::Share::Exclusive, false});
    ASSERT_TRUE(a.addOrder(st.path(c.index)));
    for (const char* kod : {"ZETA", "BETAGAMMADELTA"}) {
      ASSERT_TRUE(a.appendBlank());
      ASSERT_TRUE(a.replace("KOD", rt::Value::character(kod)));
    }
    a.flush();
    EXPECT_EQ(a.controllingOrder()->keySize(), c.width);
    const std::string beta = std::string("BETAGAMMADELTA").substr(0, c.width);
    EXPECT_TRUE(a.seek(rt::Value::character(beta), db::SeekMode::Exact));
    EXPECT_EQ(a.recno(), 3u);
    ASSERT_TRUE(db::reindex(a));
    EXPECT_EQ(a.controllingOrder()->file().header().keySize, c.width);
    const db::Verdict v = db::verifyIndex(a, *a.controllingOrder());
    EXPECT_TRUE(v.ok) << v.reason;
    EXPECT_EQ(v.count, 3u);
    a.goTop();
    EXPECT_EQ(a.recno(), 1u);  // ALFA, read before the index held it
    EXPECT_TRUE(a.seek(rt::Value::character(beta), db::SeekMode::Exact));
    EXPECT_EQ(a.recno(), 3u);
    ws.closeAll();
  }
}

}  // namespace
