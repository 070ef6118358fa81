// tools/zelmoran-tool/browse_command.cpp — zelmoran-tool browse TABLE [INDEX...]
// [--edit SCREEN [--view Vn]] [--write]: a table in the list screen on this terminal, so
// that an administrator can look at data files. The indexes are attached in the order
// given (the first controls; F5 cycles through them). Without --edit every field is a
// column; with it the columns come from the screen's description in EDIT.DBF, looked for
// next to the table and then in the current folder. The table is opened read-only unless
// --write is given; then cells may be edited (each under a record lock), rows appended and
// deleted. Esc ends.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "commands.hpp"
#include "con/console.hpp"
#include "con/terminal.hpp"
#include "db/db_functions.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "sys/clock.hpp"
#include "sys/path.hpp"
#include "sys/posix_env.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/browse/column.hpp"
#include "ui/browse/host.hpp"
#include "ui/register.hpp"

namespace tool {
namespace {

struct BrowseArgs {
  std::string table;
  std::vector<std::string> indexes;
  std::string screen, view = "V0";
  bool write = false;
};

bool parse(Args args, BrowseArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--write") {
      out.write = true;
    } else if ((a == "--edit" || a == "--view") && i + 1 < args.size()) {
      (a == "--edit" ? out.screen : out.view) = args[++i];
    } else if (!a.empty() && a[0] == '-') {
      return false;
    } else if (out.table.empty()) {
      out.table = a;
    } else {
      out.indexes.emplace_back(a);
    }
  }
  return !out.table.empty();
}

// One column per field, each editable when writing is allowed (memo fields excepted).
std::vector<ui::browse::Column> fieldColumns(rt::Runtime& rt, db::WorkArea& a, bool write) {
  std::vector<ui::browse::Column> cols;
  for (std::size_t i = 0; i < a.fieldCount(); ++i) {
    const xbase::dbf::Field& f = a.field(i);
    ui::browse::EditRecord r;
    r.nag1 = f.name;
    r.pole = f.name;
    if (write && f.type != xbase::dbf::FieldType::Memo) r.wejscie = ".T.";
    ui::browse::Column col = ui::browse::buildColumn(rt, r);
    ui::browse::measureColumn(rt, col, a.value(i));
    cols.push_back(std::move(col));
  }
  return cols;
}

}  // namespace

int browseCommand(Args args) {
  BrowseArgs b;
  if (!parse(args, b)) {
    std::fprintf(stderr, "browse: usage: browse TABLE [INDEX...] [--edit SCREEN [--view Vn]] [--write]\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path table = fs::absolute(b.table);
  sys::PosixEnv env;
  sys::SystemClock clock;
  rt::Runtime rt;
  sys::PathResolver paths(env, fs::current_path().string() + "/");
  db::Workspace ws(env, clock, rt);
  db::registerDatabaseFunctions(rt.functions(), ws);

  db::UseOptions o;
  o.share = b.write ? xbase::Share::Shared : xbase::Share::SharedReadOnly;
  o.newArea = true;
  auto opened = ws.use(table.string(), o);
  if (!opened) {
    std::fprintf(stderr, "browse: %s: %s\n", table.c_str(), opened.error().toString().c_str());
    return 2;
  }
  db::WorkArea& area = **opened;
  for (const std::string& n : b.indexes)
    if (const base::Status s = area.addOrder(fs::absolute(n).string()); !s.isOk()) {
      std::fprintf(stderr, "browse: %s: %s\n", n.c_str(), s.toString().c_str());
      return 2;
    }
  area.setOrder(b.indexes.empty() ? 0 : 1);
  area.goTop();

  auto term = con::Terminal::open({});
  if (!term) {
    std::fprintf(stderr, "browse: %s\n", term.error().toString().c_str());
    return 2;
  }
  con::Console console(**term, clock);
  ui::Context ctx(rt, console, paths);
  ctx.workspace = &ws;
  ui::registerScreen(rt.functions(), ctx);

  ui::browse::Options opt;
  opt.screenKey = b.screen;
  opt.tableLayout = b.view;
  opt.table = {1, -1, con::kRows - 3, -1};
  opt.editAllowed = opt.appendAllowed = opt.deleteAllowed = rt::Value::logical(b.write);
  opt.lockMode = b.write ? 1 : 0;
  for (std::size_t i = 0; i < b.indexes.size(); ++i)
    opt.orders.push_back({fs::path(b.indexes[i]).stem().string(), static_cast<int>(i + 1)});
  std::shared_ptr<ui::browse::Engine> engine;
  if (b.screen.empty()) {
    engine = std::make_shared<ui::browse::Engine>(ctx, area, opt, fieldColumns(rt, area, b.write),
                                                  std::vector<ui::browse::Column>{});
  } else {
    ui::browse::hostOf(ctx).editPath = table.parent_path().string() + "/";
    engine = ui::browse::CLASSEDIT(ctx, area, opt);
    if (!engine) return 1;  // the screen key was reported on the screen
  }
  ui::browse::DOEDIT(ctx, *engine);
  ws.closeAll();
  return 0;
}

}  // namespace tool
