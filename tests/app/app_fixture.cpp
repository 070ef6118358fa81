#include "app/app_fixture.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "access/scramble.hpp"
#include "app/startup.hpp"
#include "access/stamp.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "store/schema.hpp"
#include "store/tables.hpp"
#include "sys/path.hpp"

namespace apptest {

namespace {

constexpr const char* kTables[] = {"CONFIG", "STATUS", "SL_OPE", "MENU", "PARADRUK", "SL_KONT", "HASLA", "HELP", "ERR_LOG"};

struct Builder {
  explicit Builder(const std::string& folder) : paths(env, folder + "/") {}
  db::WorkArea& open(const std::string& name) {
    auto a = ws.use(paths.resolve(name + ".DBF"), {});
    EXPECT_TRUE(a.has_value()) << name;
    return **a;
  }
  void set(db::WorkArea& a, const char* field, rt::Value v) { EXPECT_TRUE(a.replace(field, v)) << field; }
  static rt::Value text(std::string s) { return rt::Value::character(std::move(s)); }

  con::HeadlessDevice device;
  con::Console con{device, device.clock()};
  rt::Runtime rt;
  sys::PosixEnv env;
  sys::PathResolver paths;
  db::Workspace ws{env, device.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
};

void addOperator(Builder& b, db::WorkArea& a, const char* kod, const char* password, int priority, const char* name) {
  EXPECT_TRUE(a.appendBlank());
  b.set(a, "KOD", Builder::text(kod));
  b.set(a, "HASLO", Builder::text(operators::scramble(operators::normalisePassword(password))));
  b.set(a, "PRIORYTET", rt::Value::number(priority));
  b.set(a, "NAZWA", Builder::text(name));
  b.set(a, "TEST", Builder::text(operators::stampOf(kod, priority)));
}

}  // namespace

void makeInstallation(const std::string& folder, const Installation& inst) {
  Builder b(folder);
  for (const char* name : kTables) EXPECT_TRUE(store::createEmpty(b.tables, name)) << name;

  db::WorkArea& config = b.open("CONFIG");
  EXPECT_TRUE(config.appendBlank());
  b.set(config, "KONTO_PH", Builder::text(inst.konto));
  b.set(config, "KARTOTEKA", Builder::text("DANE"));
  b.set(config, "LICZBA_STA", rt::Value::number(inst.stations));
  b.set(config, "FORMAT_IND", Builder::text(inst.formatInd));
  b.set(config, "FIRMA_MENU", Builder::text("Hurtownia Testowa"));
  b.ws.closeAll();

  db::WorkArea& status = b.open("STATUS");
  EXPECT_TRUE(status.appendBlank());
  b.set(status, "DATA_LIC", Builder::text(inst.stamp));
  b.ws.closeAll();

  db::WorkArea& ops = b.open("SL_OPE");
  addOperator(b, ops, "ADM", "ADMIN1", 9, "Administrator");
  addOperator(b, ops, "OPE", "OPER01", 5, "Jan Kowalski");
  b.ws.closeAll();

  db::WorkArea& kont = b.open("SL_KONT");
  EXPECT_TRUE(kont.appendBlank());
  b.set(kont, "KONTO", Builder::text("00000"));
  b.set(kont, "OPIS_KONTA", Builder::text("CENTRALA"));
  b.ws.closeAll();

  db::WorkArea& para = b.open("PARADRUK");
  EXPECT_TRUE(para.appendBlank());
  b.set(para, "WARIANT", Builder::text("1"));
  b.ws.closeAll();

  db::WorkArea& menu = b.open("MENU");
  EXPECT_TRUE(menu.appendBlank());
  b.set(menu, "OPCJA", rt::Value::number(1));
  b.set(menu, "TRESC", Builder::text("KARTOTEKI"));
  b.set(menu, "PROCEDURA", Builder::text("RET2()"));
  b.set(menu, "PRIORYTET", rt::Value::number(1));
  b.set(menu, "TEST", Builder::text(operators::stampOf("1", 1)));
  for (int s = 1; s <= inst.stations; ++s) {
    char name[16];
    std::snprintf(name, sizeof name, "DANE#%02d", s);
    std::filesystem::create_directory(folder + "/" + name);
    // The run's menu index, as the menu index builder leaves it.
    EXPECT_TRUE(db::indexOn(menu, folder + "/" + name + "/MENU.NTX", db::IndexSpec("OPCJA")));
  }
  b.ws.closeAll();
}

std::string firstRecordText(const std::string& folder, const std::string& table, const std::string& field) {
  Builder b(folder);
  db::WorkArea& a = b.open(table);
  a.goTop();
  const auto i = a.fieldIndex(field);
  return i && !a.eof() ? a.value(*i).text() : std::string();
}

AppStation::AppStation(const Installation& inst) : dir(std::make_unique<testkit::TempDir>()), folder_(dir->path().string()) {
  makeInstallation(folder_, inst);
  station = std::make_unique<app::Station>(con, env, script.clock(), folder_ + "/");
}

AppStation::AppStation(const AppStation& sameFolder) : folder_(sameFolder.folder_) {
  station = std::make_unique<app::Station>(con, env, script.clock(), folder_ + "/");
}

int AppStation::run(std::optional<std::string_view> argument) { return app::MAIN(*station, argument); }

bool AppStation::wasShown(std::string_view utf8) const {
  for (const uitest::Shown& s : device.shown)
    for (const std::string& row : s.rows)
      if (row.find(utf8) != std::string::npos) return true;
  return false;
}

}  // namespace apptest
