// tests/store/exist_test.cpp — EXIST looks a key up and leaves the searched area, and the
// selected one, as they were.
#include "store/exist.hpp"

#include <gtest/gtest.h>

#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "rt/error.hpp"
#include "store/use.hpp"
#include "store_testing.hpp"

namespace {

using storetest::Station;

// KON with records KOD 1..5, NAZWA N1..N5, indexes KON_K on KOD (order 1) and KON_N on
// NAZWA (order 2), open in area 1; TOW open in area 2 and selected.
struct Fixture {
  Fixture() {
    st.makeTable("KON", 5);
    st.makeTable("TOW", 1);
    EXPECT_TRUE(store::USE_(st.tables, "KON", "E"));
    db::WorkArea& a = *st.ws.current();
    EXPECT_TRUE(db::indexOn(a, st.tables.indexPath("KON_K"), {"KOD"}));
    EXPECT_TRUE(db::indexOn(a, st.tables.indexPath("KON_N"), {"NAZWA"}));
    EXPECT_TRUE(store::attachIndexes(st.tables, {"KON_K", "KON_N"}));
    kon = &a;
    st.ws.select(0);
    EXPECT_TRUE(store::USE_(st.tables, "TOW", "S"));
  }
  Station st;
  db::WorkArea* kon = nullptr;
};

TEST(EXIST, FindsTheKeyAndRestoresRecordOrderAndSelectedArea) {
  struct Case {
    const char* key;
    rt::Value area;
    std::optional<int> order;
    int startOrder;
    std::uint32_t startRecno;  // 6: the end-of-file position
    bool found;
  };
  const Case cases[] = {
      {"4", rt::Value::character("KON"), {}, 1, 2, true},
      {"9", rt::Value::character("kon"), {}, 1, 2, false},
      {"N5", rt::Value::number(1, 1, 0), 2, 1, 3, true},
      {"N5", rt::Value::number(1, 1, 0), 1, 2, 3, false},  // under KOD, "N5" is no key
      {"N2", rt::Value::character("KON"), {}, 2, 6, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Fixture f;
    f.kon->setOrder(c.startOrder);
    f.kon->goTo(c.startRecno);
    EXPECT_EQ(store::EXIST(f.st.tables, rt::Value::character(c.key), c.area, c.order), c.found);
    EXPECT_EQ(f.kon->orderNumber(), c.startOrder);
    EXPECT_EQ(f.kon->recno(), c.startRecno);
    EXPECT_EQ(f.kon->eof(), c.startRecno == 6);
    EXPECT_EQ(f.st.ws.selected(), 2);
  }
}

TEST(EXIST, AnAreaWithoutATableIsAProgramError) {
  Fixture f;
  EXPECT_THROW(store::EXIST(f.st.tables, rt::Value::character("1"), rt::Value::character("BRAK")), rt::RuntimeError);
  EXPECT_EQ(f.st.ws.selected(), 2);
}

}  // namespace
