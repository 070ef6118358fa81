// tools/zelmoran-tool/index_command.cpp —
//   zelmoran-tool index TABLE INDEXFILE 'KEY' [--for 'COND'] [--unique] [--descend]
// Builds INDEXFILE over TABLE (opened shared) as INDEX ON does and prints "OK name keys".
// Expressions are given in UTF-8.
//   zelmoran-tool index PROGRAM_FOLDER [--group G] [--delete-all]
// Rebuilds the index files of an installation as the program's own rebuild does (packing and
// repairs included), for station 01, and prints one line per table: "TABLE records keys
// seconds", or "TABLE skipped: reason". Tables must not be in use elsewhere; a missing
// table is passed over. The two forms differ in their number of plain arguments.
// Errors: one line on stderr, status 2.
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "commands.hpp"
#include "core/headless_station.hpp"
#include "core/register.hpp"
#include "db/bulk_index.hpp"
#include "db/db_functions.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "store/reindex.hpp"
#include "sys/posix_env.hpp"
#include "ui/register.hpp"

namespace tool {

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "zelmoran-tool index: %s\n", rt::utf8FromCp852(message).c_str());
  return 2;
}

using Seconds = std::chrono::duration<double>;

class PrintingHooks final : public store::RebuildHooks {
 public:
  void opened(const store::CatalogueTable&) override { start_ = std::chrono::steady_clock::now(); }
  void finished(const store::CatalogueTable& t, std::uint64_t records, std::uint64_t keys) override {
    const double s = Seconds(std::chrono::steady_clock::now() - start_).count();
    std::printf("%-9s %10llu records %10llu keys %8.3f s\n", std::string(t.table).c_str(),
                static_cast<unsigned long long>(records), static_cast<unsigned long long>(keys), s);
    std::fflush(stdout);
  }
  void skipped(const store::CatalogueTable& t, std::string_view why) override {
    std::printf("%-9s skipped: %.*s\n", std::string(t.table).c_str(), static_cast<int>(why.size()), why.data());
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

int rebuildFolder(const std::string& folder, char group, bool deleteAll) {
  try {
    const auto start = std::chrono::steady_clock::now();
    core::HeadlessStation station(folder);
    station.loadConfiguration();
    PrintingHooks hooks;
    store::rebuildIndexes(station.tables, {deleteAll, group, true}, hooks);
    std::printf("OK %.3f s\n", Seconds(std::chrono::steady_clock::now() - start).count());
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  return 0;
}

}  // namespace

int indexCommand(Args args) {
  std::string positional[3];
  std::size_t count = 0;
  db::IndexSpec wanted{""};
  std::string group = " ";
  bool deleteAll = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--group") {
      if (i + 1 >= args.size()) return fail("--group needs one of Z, C, H");
      group = args[++i];
      if (group.empty()) group = " ";
      if (group.size() != 1 || std::string_view(" ZCHzch").find(group[0]) == std::string_view::npos)
        return fail("--group needs one of Z, C, H");
    } else if (a == "--delete-all") {
      deleteAll = true;
    } else if (a == "--for") {
      if (i + 1 >= args.size()) return fail("--for needs a condition");
      wanted.condition = rt::cp852FromUtf8(args[++i]);
    } else if (a == "--unique") {
      wanted.unique = true;
    } else if (a == "--descend") {
      wanted.descending = true;
    } else if (count < 3) {
      positional[count++] = std::string(a);
    } else {
      return fail("too many arguments");
    }
  }
  if (count == 1) return rebuildFolder(positional[0], group[0], deleteAll);
  if (count != 3) return fail("usage: index TABLE INDEXFILE 'KEY' [--for 'COND'] [--unique] [--descend]"
                              " | index PROGRAM_FOLDER [--group G] [--delete-all]");
  wanted.key = rt::cp852FromUtf8(positional[2]);
  sys::PosixEnv env;
  sys::SystemClock clock;
  rt::Runtime rt;
  core::registerCore(rt.functions());
  ui::registerUi(rt.functions());
  db::Workspace ws(env, clock, rt);
  db::registerDatabaseFunctions(rt.functions(), ws);
  try {
    auto area = ws.use(positional[0], {"ZELINDEX", xbase::Share::Shared, false});
    if (!area) return fail(area.error().toString());
    if (base::Status s = db::indexOn(**area, positional[1], wanted); !s) return fail(s.toString());
    const std::uint64_t keys = (*area)->controllingOrder()->file().keyCount();
    const std::string& p = positional[1];
    std::printf("OK %s %llu\n", p.substr(p.find_last_of('/') + 1).c_str(), static_cast<unsigned long long>(keys));
    ws.closeAll();
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  return 0;
}

}  // namespace tool
