// tests/db/record_key_test.cpp — keys read straight from record bytes give exactly what the
// runtime gives for the same expression, on odd field contents and on the reference indexes;
// expressions outside the direct forms are left to the runtime.
#include "db/record_key.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "db/bulk_index.hpp"
#include "db/order.hpp"
#include "db_testing.hpp"
#include "rt/codepage.hpp"

namespace {

using namespace rt::literals;

// Field bytes as other programs may leave them: Polish letters in either case, numbers
// with odd spacing, overflow stars and negatives, invalid and empty dates, blank logicals.
// The dates cover what DTOS gives back as stored and what it must read and write again:
// impossible days and months, leap years by the four, hundred and four hundred rules, the
// year 0000, the first and last years, a blank inside the digits.
struct RawRow {
  std::string kod, nazwa, ilo, data, jest;
};

std::string rawTable(dbtest::Station& st) {
  const std::string path = st.path("RAW.DBF");
  auto t = xbase::DbfFile::create(st.env, st.clock, path,
                                  {{"KOD", 'C', 6}, {"NAZWA", 'C', 12}, {"ILO", 'N', 8, 2}, {"DATA", 'D'}, {"JEST", 'L'}});
  const RawRow rows[] = {
      {"ab12  ", "zażółć gęślą"_pl.substr(0, 12), "   12.50", "20240229", "T"},
      {"      ", "            ", "        ", "        ", " "},
      {"Łódź  "_pl.substr(0, 6), "ĄĘŁŃÓŚŹŻ x  "_pl.substr(0, 12), "  -0.05 ", "20231340", "f"},
      {"zzzzzz", "a           ", "********", "2024-1-1", "y"},
      {"A1    ", "śćńą        "_pl.substr(0, 12), "-1234.56", "19991231", "F"},
  };
  const char* dates[] = {"20230231", "20230229", "19000229", "20000229", "00000000", "00001231", "00010101",
                         "99991231", "2023 101", "20230100", "20230015", "20231131", "20231231"};
  std::vector<RawRow> all(std::begin(rows), std::end(rows));
  for (const char* d : dates) all.push_back({"D     ", "            ", "    1.00", d, "T"});
  for (const RawRow& r : all) {
    auto rec = (*t)->blankRecord();
    std::size_t at = 1;
    for (const std::string& f : {r.kod, r.nazwa, r.ilo, r.data, r.jest}) {
      std::memcpy(rec.data() + at, f.data(), f.size());
      at += f.size();
    }
    EXPECT_TRUE((*t)->appendRecord(rec));
  }
  (*t)->close();
  return path;
}

TEST(RecordKey, GivesTheRuntimesKeyForEveryRecord) {
  dbtest::Station st;
  rt::Runtime rt;
  db::Workspace ws(st.env, st.clock, rt);  // the runtime's own compiler
  db::WorkArea& a = **ws.use(rawTable(st), {"RAW", xbase::Share::Exclusive, false});
  // A program function with a text form: the text backwards, with its length in front.
  rt.functions().add("WSTECZ", [](rt::Runtime&, rt::Args& args) {
    const std::string t = args[0].text();
    return rt::Value::character(std::to_string(t.size()) + std::string(t.rbegin(), t.rend()));
  });
  rt.functions().setTextForm("WSTECZ", [](const rt::Runtime&) -> rt::TextMap {
    return [](std::string_view in, std::string& out) { out = std::to_string(in.size()) + std::string(in.rbegin(), in.rend()); };
  });
  struct Case {
    const char* text;
    std::size_t size, decimals;
  };
  const Case cases[] = {
      {"KOD", 6, 0},
      {"KOD", 3, 0},  // cut to the key size
      {"KOD", 9, 0},  // padded with blanks
      {"upper(NAZWA)", 12, 0},
      {"UPPE(nazwa)+kod", 18, 0},
      {"KOD+dtos(DATA)+NAZWA", 26, 0},
      {"DTOS(DATA)", 8, 0},
      {"substr(NAZWA, 3, 4)+SUBS(KOD,2)", 9, 0},
      {"SUBSTR(NAZWA,0,2)+SUBSTR(KOD,7)+SUBSTR(KOD,5,10)", 4, 0},
      {"LEFT(NAZWA, 5) + 'x' + \"y\"", 7, 0},
      {"STR(ILO)+STR(ILO,5)+STR(ILO,10,3)", 23, 0},
      {"FIELD->KOD+(UPPER(SUBSTR(NAZWA,2,3)))", 9, 0},
      {"ILO", 8, 2},
      {"DATA", 8, 0},
      {"JEST", 1, 0},
      {"LTRIM(NAZWA)+KOD", 18, 0},
      {"TRIM(KOD)+'|'+RTRIM(NAZWA)+ALLTRIM(NAZWA)", 30, 0},
      {"wstecz(KOD+'.')+WSTECZ(LTRIM(NAZWA))", 24, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto direct = db::RecordKey::compile(c.text, a.table().fields(), &rt);
    ASSERT_TRUE(direct);
    const db::Expr e = ws.compile(c.text);
    for (std::uint32_t r = 1; r <= a.lastRec(); ++r) {
      SCOPED_TRACE(r);
      a.goTo(r);
      EXPECT_EQ(direct->bytes(a.record(), c.size, c.decimals), db::encodeKey(ws.evalIn(a, e), c.size, c.decimals));
    }
  }
}

TEST(RecordKey, LeavesOtherExpressionsToTheRuntime) {
  const std::vector<xbase::dbf::Field> fields = {
      {"KOD", xbase::dbf::FieldType::Character, 6, 0, 1}, {"ILO", xbase::dbf::FieldType::Numeric, 8, 2, 7},
      {"DATA", xbase::dbf::FieldType::Date, 8, 0, 15}, {"UWAGI", xbase::dbf::FieldType::Memo, 10, 0, 23}};
  for (const char* text : {"TRIM(KOD)", "ILO+1", "DATA+1", "KOD+ILO", "NIEMA", "M->KOD", "RAW->KOD", "UPPER(ILO)",
                           "SUBSTR(KOD, ILO)", "SUBSTR(KOD,-2)", "SUBSTR(KOD,1.5)", "DESCEND(KOD)", "KOD+", "'&x'",
                           "UWAGI", "STR(KOD)", "DTOS(KOD)", "UP(KOD)", "(KOD", "KOD)"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(db::RecordKey::compile(text, fields));
  }
}

// A text form belongs to the function it was given with: a function registered over it,
// or a call with more arguments, leaves the key to the runtime.
TEST(RecordKey, UsesATextFormOnlyWhileItsFunctionStands) {
  rt::Runtime rt;
  const std::vector<xbase::dbf::Field> fields = {{"KOD", xbase::dbf::FieldType::Character, 6, 0, 1}};
  const auto form = [](const rt::Runtime&) -> rt::TextMap {
    return [](std::string_view in, std::string& out) { out.assign(in); };
  };
  rt.functions().add("SAM", [](rt::Runtime&, rt::Args& args) { return args[0]; });
  rt.functions().setTextForm("SAM", form);
  EXPECT_TRUE(db::RecordKey::compile("SAM(KOD)", fields, &rt));
  EXPECT_FALSE(db::RecordKey::compile("SAM(KOD)", fields));  // no runtime given
  EXPECT_FALSE(db::RecordKey::compile("SAM(KOD, 2)", fields, &rt));
  EXPECT_FALSE(db::RecordKey::compile("LTRI(KOD)", fields, &rt));  // abbreviations go to the runtime
  rt.functions().add("SAM", [](rt::Runtime&, rt::Args& args) { return args[0]; });
  EXPECT_FALSE(db::RecordKey::compile("SAM(KOD)", fields, &rt));
}

// Index upkeep prepares the text forms before every key, so an order kept open while what
// they read changes writes each key as the function gives it at that moment.
TEST(RecordKey, UpkeepKeysFollowWhatTheTextFormReads) {
  dbtest::Station st;
  rt::Runtime rt;
  db::Workspace ws(st.env, st.clock, rt);
  rt.vars().declarePublic("ZNAK");
  rt.vars().set("ZNAK", rt::Value::character("-"));
  // ZNACZ(x): the mark in ZNAK, then x.
  rt.functions().add("ZNACZ", [](rt::Runtime& r, rt::Args& args) {
    return rt::Value::character(r.vars().get("ZNAK").text() + args[0].text());
  });
  rt.functions().setTextForm("ZNACZ", [](const rt::Runtime& r) -> rt::TextMap {
    return [mark = r.vars().get("ZNAK").text()](std::string_view in, std::string& out) { out = mark + std::string(in); };
  });
  const std::string path = st.makeTable("ZN.DBF", {{"KOD", 'C', 2}}, {{"A"}});
  db::WorkArea& a = **ws.use(path, {"ZN", xbase::Share::Exclusive, false});
  ASSERT_TRUE(db::indexOn(a, st.path("ZN.NTX"), {"ZNACZ(KOD)"}));
  db::Order& o = *a.order(1);
  ASSERT_NE(o.recordKey(), nullptr);
  for (const char* step : {"+B", "*C"}) {
    rt.vars().set("ZNAK", rt::Value::character(std::string(1, step[0])));
    ASSERT_TRUE(a.appendBlank());
    ASSERT_TRUE(a.replace("KOD", rt::Value::character(step + 1)));
    a.flush();
  }
  std::vector<std::string> keys;
  xbase::NtxCursor cur;
  for (bool more = o.file().top(cur); more; more = o.file().next(cur)) keys.push_back(cur.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"*C ", "+B ", "-A "}));
}

// Every key stored in the indexes written by the reference implementation is what the
// direct reader gives for its record.
TEST(RecordKey, ReadsTheKeysOfTheReferenceIndexes) {
  struct Case {
    const char* table;
    std::vector<const char*> indexes;
  };
  const Case cases[] = {
      {"ORDERS", {"ORDKEY.NTX", "ORDDAT.NTX", "ORDILO.NTX", "ORDKOND.NTX", "ORDNAZ.NTX", "ORDPOZ.NTX", "ORDNAZPL.NTX"}},
      {"ALLTYPES", {"ALLDATE.NTX", "ALLNDEC.NTX", "ALLNNEG.NTX", "ALLTEXT.NTX"}},
      {"BIG", {"BIGKOD.NTX"}},
  };
  for (const Case& c : cases) {
    dbtest::Station st;
    if (c.table != std::string("BIG")) st.copyFixture(std::string(c.table) + ".DBT");
    db::WorkArea& a = st.use(st.copyFixture(std::string(c.table) + ".DBF"));
    for (const char* n : c.indexes) {
      SCOPED_TRACE(n);
      ASSERT_TRUE(a.addOrder(st.copyFixture(n)));
      db::Order& o = *a.order(a.orderCount());
      ASSERT_NE(o.recordKey(), nullptr);
      xbase::NtxCursor cur;
      std::size_t keys = 0;
      for (bool more = o.file().top(cur); more; more = o.file().next(cur), ++keys) {
        std::vector<std::byte> rec(a.table().recordLength());
        ASSERT_TRUE(a.table().readRecord(cur.recno, rec));
        ASSERT_EQ(o.recordKey()->bytes(rec, o.keySize(), o.keyDecimals()), cur.key) << "record " << cur.recno;
      }
      EXPECT_GT(keys, 0u);
    }
  }
}

}  // namespace
