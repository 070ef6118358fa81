// USTAW: one character of the variant string, the widening of WERSJA through the structure
// change, the blanked stamp and the end of the run; and the refusals that change nothing.
#include "core/config/ustaw.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "con/key_codes.hpp"
#include "core/routines_fixture.hpp"
#include "db/work_area.hpp"
#include "store/schema.hpp"
#include "store/upgrade/restructure.hpp"

namespace {

namespace fs = std::filesystem;

struct Installation : coretest::RoutinesStation {
  explicit Installation(int width = 66) {
    for (const char* t : {"CONFIG", "STATUS"}) EXPECT_TRUE(store::createEmpty(tables, t)) << t;
    EXPECT_TRUE(store::changeStructure(tables, "CONFIG", [width](std::vector<store::FieldRow>& rows) {
      store::findRow(rows, "WERSJA")->length = width;
    }));
    variant = std::string(width, 'N');
    variant[0] = 'A';
    variant[width - 1] = 'Z';
    set("CONFIG", "WERSJA", variant);
    set("STATUS", "DATA_LIC", "180916");
    fs::create_directory(dir / "DANE#01");
    rt.vars().set("_SC", rt::Value::character("DANE#01\\"));
    std::ofstream(dir / "DANE#01" / "FLAGA") << "x";
    rt.functions().add("HA", [this](rt::Runtime&, rt::Args&) { return rt::Value::logical(passwordGiven); });
  }
  void set(const std::string& table, const std::string& field, const std::string& value) {
    db::WorkArea& a = open(table);
    a.goTop();
    if (a.eof()) {
      EXPECT_TRUE(a.appendBlank());
    }
    EXPECT_TRUE(a.replace(field, rt::Value::character(value)));
    ws.close(a.number());
  }
  std::string get(const std::string& table, const std::string& field) {
    db::WorkArea& a = open(table);
    a.goTop();
    const std::string v = a.value(*a.fieldIndex(field)).text();
    ws.close(a.number());
    return v;
  }
  std::string bytes(const std::string& file) const {
    std::ifstream in(dir / file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Runs USTAW; true when it ended the program.
  bool run() {
    try {
      call("USTAW");
    } catch (const store::ProgramEnd&) {
      return true;
    }
    return false;
  }

  std::string variant;
  bool passwordGiven = true;
};

TEST(USTAW, PositionBeyondTheFieldWidensItKeepingTheOthersAndEndsTheRun) {
  Installation s(66);
  s.script.type("70x\r");  // the number, the character, the closing message
  EXPECT_TRUE(s.run());
  EXPECT_TRUE(s.script.scriptDone());
  const std::string got = s.get("CONFIG", "WERSJA");
  EXPECT_EQ(got, s.variant + "   X");
  EXPECT_EQ(s.get("STATUS", "DATA_LIC"), "      ") << "the next start runs the upgrade";
  EXPECT_FALSE(fs::exists(s.dir / "DANE#01" / "FLAGA"));
  EXPECT_FALSE(fs::exists(s.dir / "XSTRUP.DBF"));
  EXPECT_FALSE(fs::exists(s.dir / "XSTRUN.DBF"));
}

TEST(USTAW, AChangeWithinTheFieldKeepsItsWidth) {
  Installation s(66);
  s.script.type("02T\r");
  EXPECT_TRUE(s.run());
  std::string want = s.variant;
  want[1] = 'T';
  EXPECT_EQ(s.get("CONFIG", "WERSJA"), want);
}

TEST(USTAW, TheSameCharacterOrARefusalChangesNothing) {
  struct Case {
    const char* name;
    std::string keys;
    bool password;
  };
  const Case cases[] = {
      {"same character", "01A\r", true},      // "Nie zmieniono ..." acknowledged
      {"no password", "01B", false},  // the run just ends, without the message
      {"Esc at the number", "\x1b", true},
      {"Esc at the value", "01\x1b", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation s(66);
    s.passwordGiven = c.password;
    const std::string config = s.bytes("CONFIG.DBF"), status = s.bytes("STATUS.DBF");
    s.script.type(c.keys);
    EXPECT_FALSE(s.run());
    EXPECT_EQ(s.bytes("CONFIG.DBF"), config);
    EXPECT_EQ(s.bytes("STATUS.DBF"), status);
    EXPECT_TRUE(fs::exists(s.dir / "DANE#01" / "FLAGA"));
    EXPECT_TRUE(s.script.scriptDone());
  }
}

TEST(USTAW, SameCharacterShowsTheMessage) {
  Installation s(66);
  s.script.type("66Z");
  try {
    s.run();
    ADD_FAILURE() << "the message waits for its key";
  } catch (const std::exception& e) {
  }
  bool shown = false;
  for (int row = 0; row < 25; ++row) shown = shown || s.wasShown(row, "Nie zmieniono parametru konfiguracyjnego programu !");
  EXPECT_TRUE(shown);
}

TEST(WithVariant, PadsToThePositionAndSetsIt) {
  EXPECT_EQ(core::withVariant("AB", 4, 'X'), "AB X");
  EXPECT_EQ(core::withVariant("ABCD", 2, 'X'), "AXCD");
  EXPECT_EQ(core::withVariant("", 1, 'X'), "X");
}

}  // namespace
