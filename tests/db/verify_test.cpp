// tests/db/verify_test.cpp — index verification on the reference files and on a damaged
// index, and the verify and index commands of zelmoran-tool.
#include "db/verify.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "db/bulk_index.hpp"
#include "db_testing.hpp"
#include "testkit/build_paths.hpp"

namespace {

using dbtest::Station;

std::string run(const std::string& command, int& status) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  std::array<char, 512> buf;
  while (fgets(buf.data(), buf.size(), p) != nullptr) out += buf.data();
  status = WEXITSTATUS(pclose(p));
  return out;
}

TEST(Verify, TheReferenceIndexesPassExceptTheOneOfAnotherCollation) {
  testkit::TempDir dir;
  std::string cmd = testkit::toolPath() + " verify " + testkit::fixture("ORDERS.DBF").string();
  for (const char* n : {"ORDKEY.NTX", "ORDDAT.NTX", "ORDILO.NTX", "ORDKOND.NTX", "ORDKONU.NTX", "ORDNAZ.NTX",
                        "ORDPOZ.NTX", "ORDNAZPL.NTX"})
    cmd += " " + testkit::fixture(n).string();
  int status = 0;
  const std::string out = run(cmd + " 2>&1", status);
  EXPECT_EQ(status, 1);
  for (const char* line : {"OK ORDERS.DBF 3052\n", "OK ORDKEY.NTX 3052\n", "OK ORDDAT.NTX 3052\n",
                           "OK ORDILO.NTX 3052\n", "OK ORDKOND.NTX 3052\n", "OK ORDKONU.NTX 206\n",
                           "OK ORDNAZ.NTX 3052\n", "OK ORDPOZ.NTX 2472\n", "FAIL ORDNAZPL.NTX "})
    EXPECT_NE(out.find(line), std::string::npos) << line << " in\n" << out;
}

TEST(Verify, AKeyFieldChangedBehindTheIndexFails) {
  Station st;
  const std::string p = st.makeTable("T.DBF", {{"KOD", 'C', 3}}, {{"a"}, {"b"}, {"c"}});
  {
    db::WorkArea& a = st.use(p);
    ASSERT_TRUE(db::indexOn(a, st.path("T.NTX"), {"KOD"}));
    const db::Verdict good = db::verifyIndex(a, *a.controllingOrder());
    EXPECT_TRUE(good.ok) << good.reason;
    EXPECT_EQ(good.count, 3u);
    auto orders = a.releaseOrders();  // the index is closed: a change no longer reaches it
    a.goTo(2);
    ASSERT_TRUE(a.replace("KOD", rt::Value::character("z")));
    a.addOrder(std::move(orders.front()));
    const db::Verdict bad = db::verifyIndex(a, *a.controllingOrder());
    EXPECT_FALSE(bad.ok);
    EXPECT_NE(bad.reason.find("record 2"), std::string::npos) << bad.reason;
  }
}

TEST(ToolIndex, BuildsAnIndexThatVerifies) {
  Station st;
  st.copyFixture("ORDERS.DBT");
  const std::string table = st.copyFixture("ORDERS.DBF");
  int status = 0;
  std::string out = run(testkit::toolPath() + " index " + table + " " + st.path("X.NTX") +
                            " 'NR_KON' --for \"TYP='P'\" --unique --descend 2>&1", status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out.rfind("OK X.NTX ", 0), 0u) << out;
  out = run(testkit::toolPath() + " verify " + table + " " + st.path("X.NTX") + " 2>&1", status);
  EXPECT_EQ(status, 0) << out;
  out = run(testkit::toolPath() + " index " + table + " " + st.path("Y.NTX") + " 'TRIM(NR_KON' 2>&1", status);
  EXPECT_EQ(status, 2) << out;
}

}  // namespace
