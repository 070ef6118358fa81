// tests/db/order_test.cpp — the reference table with its indexes: walking, seeking, switching
// orders; and the upkeep of open indexes as records are appended and changed.
#include "db/order.hpp"

#include <gtest/gtest.h>

#include "db/bulk_index.hpp"
#include "db_testing.hpp"

namespace {

using dbtest::column;
using dbtest::Station;
using dbtest::text;
using Strings = std::vector<std::string>;

const char* const kOrderIndexes[] = {"ORDKEY.NTX", "ORDDAT.NTX", "ORDILO.NTX", "ORDKOND.NTX",
                                     "ORDKONU.NTX", "ORDNAZ.NTX", "ORDPOZ.NTX", "ORDNAZPL.NTX"};

db::WorkArea& openOrders(Station& st, xbase::Share share = xbase::Share::Shared) {
  st.copyFixture("ORDERS.DBT");
  db::WorkArea& a = st.use(st.copyFixture("ORDERS.DBF"), share);
  for (const char* n : kOrderIndexes) EXPECT_TRUE(a.addOrder(st.copyFixture(n))) << n;
  return a;
}

// Walks the controlling order and checks the keys never go backwards; gives the count.
std::size_t walk(Station& st, db::WorkArea& a) {
  db::Order& o = *a.controllingOrder();
  std::size_t n = 0;
  std::string previous;
  for (a.goTop(); !a.eof(); a.skip()) {
    const std::string key = o.encode(st.ws->evalIn(a, o.key()));
    if (n > 0) {
      EXPECT_TRUE(o.descending() ? key <= previous : key >= previous) << "record " << a.recno();
    }
    previous = key;
    ++n;
  }
  return n;
}

TEST(Order, EveryReferenceIndexWalksInKeyOrderWithItsKeyCount) {
  Station st;
  st.rt.settings().deleted = false;
  db::WorkArea& a = openOrders(st);
  // The key counts of the reference indexes; ORDNAZPL uses another collation and is left out.
  const std::size_t counts[] = {3052, 3052, 3052, 3052, 206, 3052, 2472};
  for (int i = 1; i <= 7; ++i) {
    SCOPED_TRACE(kOrderIndexes[i - 1]);
    a.setOrder(i);
    EXPECT_EQ(walk(st, a), counts[i - 1]);
  }
}

TEST(Order, DeletedRecordsAreSkippedInEveryOrder) {
  Station st;
  db::WorkArea& a = openOrders(st);
  a.setOrder(1);
  EXPECT_EQ(walk(st, a), 3052u - 78u);
  a.setOrder(7);
  EXPECT_EQ(walk(st, a), 2411u) << "TYP='P' and not deleted";
  a.goBottom();
  std::size_t back = 0;
  for (; !a.bof(); a.skip(-1)) ++back;
  EXPECT_EQ(back, 2411u);
}

TEST(Order, SeekFindsExactPartialAndSoftKeys) {
  Station st;
  db::WorkArea& a = openOrders(st);
  a.setOrder(1);  // KONTO+dtos(DATA_ZAM)+NR_ZAM+TYP+INDEKS
  struct Case { std::string key; db::SeekMode mode; bool found; std::uint32_t recno; };
  const Case cases[] = {
      {"00007", db::SeekMode::Exact, true, 2191},                // the empty date sorts first
      {"000071995", db::SeekMode::Exact, true, 2108},
      {"00014199508070035P", db::SeekMode::Exact, true, 2016},
      {"00008", db::SeekMode::Exact, false, 3053},               // not found: the phantom
      {"00008", db::SeekMode::Soft, false, 2014},                // soft: the next key
      {"99999", db::SeekMode::Soft, false, 3053},                // nothing follows: EOF
      {"0000", db::SeekMode::Exact, true, 2191},
      {"0000 ", db::SeekMode::Soft, false, 2191},                // a trailing blank counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(a.seek(rt::Value::character(c.key), c.mode), c.found);
    EXPECT_EQ(a.found(), c.found);
    EXPECT_EQ(a.recno(), c.recno);
    EXPECT_EQ(a.eof(), c.recno == 3053);
  }
  a.skip();
  EXPECT_FALSE(a.found()) << "any other movement clears FOUND";
}

TEST(Order, SeekOnUniqueAndDescendingIndexes) {
  Station st;
  db::WorkArea& a = openOrders(st);
  a.setOrder(5);  // NR_KON UNIQUE: the first record with the key
  EXPECT_TRUE(a.seek(rt::Value::character("29612")));
  EXPECT_EQ(a.recno(), 1u);
  a.setOrder(4);  // NR_KON descending
  a.goTop();
  const std::string highest = text(a.value(*a.fieldIndex("NR_KON")));
  a.setOrder(5);
  a.goBottom();
  EXPECT_EQ(text(a.value(*a.fieldIndex("NR_KON"))), highest);
  a.setOrder(2);  // DATA_ZAM: a date value is sought as a date
  EXPECT_TRUE(a.seek(rt::Value::date(rt::Date::fromYmd(2015, 2, 20))));
  EXPECT_EQ(text(a.value(*a.fieldIndex("DATA_ZAM"))), "20150220");
}

TEST(Order, SeekWithoutAnIndexRaisesARuntimeError) {
  Station st;
  db::WorkArea& a = st.use(st.makeTable("T.DBF", {{"KOD", 'C', 3}}, {{"a"}}));
  EXPECT_THROW(a.seek(rt::Value::character("a")), rt::RuntimeError);
}

// KOD C3 with records b, a, c, a.
struct Small {
  Station st;
  db::WorkArea* a;
  explicit Small(db::IndexSpec wanted, xbase::Share share = xbase::Share::Exclusive) {
    const std::string p = st.makeTable("S.DBF", {{"KOD", 'C', 3}, {"TYP", 'C', 1}},
                                       {{"b", "P"}, {"a", "P"}, {"c", "N"}, {"a", "P"}});
    a = &st.use(p, share);
    EXPECT_TRUE(db::indexOn(*a, st.path("S.NTX"), wanted));
  }
  std::vector<std::uint32_t> recnos() {
    std::vector<std::uint32_t> r;
    for (a->goTop(); !a->eof(); a->skip()) r.push_back(a->recno());
    return r;
  }
  void set(std::uint32_t recno, const char* field, const char* value) {
    a->goTo(recno);
    if (a->table().share() == xbase::Share::Shared) {
      ASSERT_TRUE(a->lockRecord());
    }
    ASSERT_TRUE(a->replace(field, rt::Value::character(value)));
  }
  std::uint64_t keys() { return a->controllingOrder()->file().keyCount(); }
};

using Recnos = std::vector<std::uint32_t>;

TEST(Order, IndexOnOrdersEqualKeysByRecordNumberAndGoesTop) {
  Small s({"KOD"});
  EXPECT_EQ(s.a->recno(), 2u);
  EXPECT_EQ(s.recnos(), (Recnos{2, 4, 1, 3}));
  Small d({"KOD", "", false, true});
  EXPECT_EQ(d.recnos(), (Recnos{3, 1, 2, 4}));
  Small u({"KOD", "", true});
  EXPECT_EQ(u.recnos(), (Recnos{2, 1, 3}));
  Small f({"KOD", "TYP='P'"});
  EXPECT_EQ(f.recnos(), (Recnos{2, 4, 1}));
}

TEST(Order, AChangedKeyMovesTheRecordAndSkipContinuesFromItsNewPlace) {
  for (xbase::Share share : {xbase::Share::Exclusive, xbase::Share::Shared}) {
    Small s({"KOD"}, share);
    s.set(2, "KOD", "d");  // a -> d: 4 1 3 2
    s.a->skip();
    EXPECT_TRUE(s.a->eof()) << "record 2 now sorts last";
    EXPECT_EQ(s.recnos(), (Recnos{4, 1, 3, 2}));
    EXPECT_NO_THROW(s.a->controllingOrder()->file().checkInvariants());
  }
}

TEST(Order, AppendedRecordsEnterTheOpenIndexesWithTheirFinalKeys) {
  Small s({"KOD"});
  ASSERT_TRUE(s.a->appendBlank());
  ASSERT_TRUE(s.a->replace("KOD", rt::Value::character("b")));
  s.a->skip();  // the record goes cold: its key is written, then the skip leaves it
  EXPECT_EQ(s.recnos(), (Recnos{2, 4, 1, 5, 3}));
  EXPECT_EQ(s.keys(), 5u);
}

TEST(Order, AForConditionAddsAndDropsEntriesAsItChanges) {
  Small s({"KOD", "TYP='P'"});
  s.set(3, "TYP", "P");
  s.set(1, "TYP", "N");
  s.a->goTop();
  EXPECT_EQ(s.recnos(), (Recnos{2, 4, 3}));
  EXPECT_EQ(s.keys(), 3u);
}

TEST(Order, AUniqueIndexDropsARecordChangedToATakenKey) {
  Small s({"KOD", "", true});  // a:2 b:1 c:3
  s.set(1, "KOD", "c");
  s.a->goTop();
  EXPECT_EQ(s.recnos(), (Recnos{2, 3})) << "record 1 left the index; key b is gone";
  s.set(3, "KOD", "e");
  s.a->goTop();
  EXPECT_EQ(s.recnos(), (Recnos{2, 3})) << "record 1 does not come back before a rebuild";
  ASSERT_TRUE(db::reindex(*s.a));
  EXPECT_EQ(s.recnos(), (Recnos{2, 1, 3}));
}

TEST(Order, ATemporaryIndexIsRemovedWhenClosed) {
  Small s({"KOD"});
  auto p = db::temporaryIndex(*s.a, {"TYP"});
  ASSERT_TRUE(p);
  EXPECT_EQ(s.a->orderNumber(), 2);
  EXPECT_EQ(s.recnos(), (Recnos{3, 1, 2, 4}));
  EXPECT_TRUE(std::filesystem::exists(*p));
  s.a->clearOrders();
  EXPECT_FALSE(std::filesystem::exists(*p));
}

TEST(Order, AKeyEmptyOnABlankRecordIsRefused) {
  Small s({"KOD"});
  EXPECT_TRUE(db::indexOn(*s.a, s.st.path("E.NTX"), {"''"}).is(base::Errc::Invalid));
}

}  // namespace
