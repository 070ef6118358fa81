// tests/app/goods_code_startup_test.cpp — the goods-code conversion run by start-up when the
// configured goods-code picture lacks "99999", and only then.
#include <gtest/gtest.h>

#include "app/app_fixture.hpp"
#include "con/key_codes.hpp"

namespace {

struct Counted {
  int conversions = 0, rebuilds = 0;
  std::vector<std::string> messages;
};

// Counts the runs of the real ZMIANA; the index rebuild is a recorder (the small
// installation lacks most tables) and messages are recorded instead of awaiting Enter.
void watch(apptest::AppStation& s, Counted& n) {
  rt::FunctionTable& fns = s.station->rt.functions();
  const rt::Function real = *fns.find("ZMIANA");
  fns.add("ZMIANA", [&n, real](rt::Runtime& r, rt::Args& a) {
    ++n.conversions;
    return real(r, a);
  });
  fns.add("INDEX", [&n](rt::Runtime&, rt::Args&) {
    ++n.rebuilds;
    return rt::Value();
  });
  s.station->tables.seams.errorDialog = [&n](std::string_view text) { n.messages.emplace_back(text); };
}

void loginAndLeave(apptest::AppStation& s) {
  s.script.type("ADMIN1").key(con::key::kEnter).key(con::key::kEsc).key(con::key::kEnter);
}

TEST(MAIN, AnOldGoodsCodePictureIsConvertedOnceAtStartUp) {
  apptest::Installation inst;
  inst.formatInd = "9999";
  apptest::AppStation first(inst);
  Counted n1;
  watch(first, n1);
  loginAndLeave(first);
  EXPECT_EQ(first.run(), 1);
  EXPECT_EQ(n1.conversions, 1);
  EXPECT_EQ(n1.rebuilds, 1);
  ASSERT_FALSE(n1.messages.empty());
  EXPECT_EQ(n1.messages.back(), "KONIEC");
  EXPECT_EQ(apptest::firstRecordText(first.folder(), "CONFIG", "FORMAT_IND").substr(0, 5), "99999");

  apptest::AppStation second(first);
  Counted n2;
  watch(second, n2);
  loginAndLeave(second);
  EXPECT_EQ(second.run(), 1);
  EXPECT_EQ(n2.conversions, 0);
  EXPECT_EQ(n2.rebuilds, 0);
}

}  // namespace
