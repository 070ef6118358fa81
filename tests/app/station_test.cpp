// The station's wiring of the table store's seams to the program's own screens.
#include <gtest/gtest.h>

#include "app/app_fixture.hpp"
#include "con/key_codes.hpp"

namespace {

using con::key::kEnter;

// The emergency exit from an endless wait for a table asks for the service password: the
// configuration password, given at the special-password prompt.
TEST(Station, TheStoresServicePasswordIsTheConfigurationPasswordAtThePrompt) {
  struct Case {
    const char* typed;
    bool given;
  };
  const Case cases[] = {{"tajne1", true}, {"zle123", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    apptest::AppStation s;
    s.station->rt.vars().declarePublic("_HASLO");
    s.station->rt.vars().set("_HASLO", rt::Value::character("TAJNE1"));
    s.script.type(c.typed);  // the sixth character ends the entry
    if (!c.given) s.script.key(kEnter);  // " Złe hasło ! "
    EXPECT_EQ(s.station->tables.servicePassword(), c.given);
    EXPECT_TRUE(s.script.scriptDone());
    EXPECT_EQ(s.wasShown("Złe hasło"), !c.given);
  }
}

}  // namespace
