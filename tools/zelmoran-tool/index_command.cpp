// tools/zelmoran-tool/index_command.cpp —
//   zelmoran-tool index TABLE INDEXFILE 'KEY' [--for 'COND'] [--unique] [--descend]
// Builds INDEXFILE over TABLE (opened shared) as INDEX ON does and prints "OK name keys".
// Expressions are given in UTF-8. Errors: one line on stderr, status 2.
#include <cstdio>
#include <string>
#include <string_view>

#include "commands.hpp"
#include "core/register.hpp"
#include "db/bulk_index.hpp"
#include "db/db_functions.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "sys/posix_env.hpp"
#include "ui/register.hpp"

namespace tool {

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "zelmoran-tool index: %s\n", rt::utf8FromCp852(message).c_str());
  return 2;
}

}  // namespace

int indexCommand(Args args) {
  std::string positional[3];
  std::size_t count = 0;
  db::IndexSpec wanted{""};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--for") {
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
  if (count != 3) return fail("usage: index TABLE INDEXFILE 'KEY' [--for 'COND'] [--unique] [--descend]");
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
