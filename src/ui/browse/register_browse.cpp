// src/ui/browse/register_browse.cpp — the browser's routines by name.
#include "ui/browse/register_browse.hpp"

#include <cmath>

#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "ui/browse/blokuj.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/browse/host.hpp"

namespace ui::browse {
namespace {

int intOr(const rt::Value& v, int fallback) { return v.isNumber() ? static_cast<int>(std::lround(v.num())) : fallback; }
bool flagOr(const rt::Value& v, bool fallback) { return v.isLogical() ? v.logical() : fallback; }
std::string textOr(const rt::Value& v, std::string fallback) { return v.isText() ? v.text() : fallback; }

}  // namespace

std::vector<OrderChoice> ordersFromValue(const rt::Value& v) {
  std::vector<OrderChoice> out;
  if (!v.isArray()) return out;
  int position = 0;
  for (const rt::Value& e : *v.array()) {
    ++position;
    OrderChoice o{{}, position};
    if (e.isText()) o.name = e.text();
    if (e.isArray() && !e.array()->empty()) {
      const rt::Array& entry = *e.array();
      if (entry[0].isText()) o.name = entry[0].text();
      if (entry.size() > 1 && entry[1].isNumber()) o.order = static_cast<int>(entry[1].num());
    }
    while (!o.name.empty() && o.name.back() == ' ') o.name.pop_back();
    out.push_back(o);
  }
  return out;
}

namespace {

Engine* running(Context& c) {
  Host& h = hostOf(c);
  return h.running.empty() ? nullptr : h.running.back();
}

template <typename F>
void onRunning(rt::FunctionTable& fns, Context& c, const char* name, F f) {
  fns.add(name, [&c, f](rt::Runtime&, rt::Args&) {
    if (Engine* e = running(c)) f(*e);
    return rt::Value();
  });
}

}  // namespace

Options optionsFromArguments(const rt::Args& a) {
  Options o;
  o.table = {intOr(a[0], 1), intOr(a[1], -1), intOr(a[2], con::kRows - 1), intOr(a[3], -1)};
  o.screenKey = textOr(a[4], "");
  o.tableLayout = textOr(a[5], "V0");
  o.comment = a[6];
  o.frame = textOr(a[7], "");
  o.colour = textOr(a[8], "");
  o.card = {intOr(a[9], 1), intOr(a[10], -1), intOr(a[11], -1), intOr(a[12], -1)};
  o.startInTable = flagOr(a[13], true);
  if (a[14].isText() && !a[14].text().empty()) o.cardLayout = a[14].text();
  o.cardComment = a[15];
  if (!a[16].isNil()) o.editAllowed = a[16];
  if (!a[17].isNil()) o.appendAllowed = a[17];
  if (!a[18].isNil()) o.deleteAllowed = a[18];
  o.keyFilter = a[19];
  o.restoreScreen = flagOr(a[20], true);
  o.orders = ordersFromValue(a[21]);
  if (a[22].isNumber()) o.selectColumn = static_cast<int>(a[22].num());
  o.rowFilter = a[23];
  o.goTop = a[24];
  o.goBottom = a[25];
  o.colours = a[26];
  o.appendConfirm = a[27];
  o.appendAction = a[28];
  o.lockMode = intOr(a[29], 0);
  o.keep = intOr(a[30], -1);
  o.commentLines = intOr(a[31], 2);
  return o;
}

void registerBrowse(rt::FunctionTable& fns, Context& c) {
  fns.add("CLASSEDIT", [&c](rt::Runtime&, rt::Args& a) {
    if (c.workspace == nullptr || c.workspace->current() == nullptr) return rt::Value::logical(false);
    Options o = optionsFromArguments(a);
    const int keep = o.keep;
    std::shared_ptr<Engine> e = CLASSEDIT(c, *c.workspace->current(), std::move(o));
    if (!e) return rt::Value::logical(false);
    Host& h = hostOf(c);
    const int handle = h.nextHandle++;
    h.engines[handle] = e;
    const char* kinds[] = {"T", "K", "S"};
    for (std::size_t i = 0; i < 3; ++i)
      if (a.size() > 32 + i) a.ref(32 + i) = handleValue(handle, kinds[i]);
    if (keep >= 1 && keep <= 3) {
      const std::string n = std::to_string(keep);
      c.setPublic("_HOR" + n, handleValue(handle, "T"));
      c.setPublic("_VERT" + n, handleValue(handle, "K"));
      c.setPublic("_REST" + n, handleValue(handle, "S"));
    }
    return rt::Value::logical(true);
  });
  fns.add("DOEDIT", [&c](rt::Runtime&, rt::Args& a) {
    Host& h = hostOf(c);
    int handle = handleOf(a[2]);
    if (handle == 0) handle = handleOf(a[0]);
    const auto it = h.engines.find(handle);
    if (it == h.engines.end()) return rt::Value::integer(0);
    const std::shared_ptr<Engine> e = it->second;
    const Outcome out = DOEDIT(c, *e, intOr(a[3], e->options().commentLines));
    if (e->options().keep < 1 || e->options().keep > 3) h.engines.erase(handle);
    return rt::Value::integer(static_cast<int>(out));
  });
  fns.add("EDITPATH", [&c](rt::Runtime&, rt::Args& a) {
    Host& h = hostOf(c);
    const std::string previous = h.editPath;
    if (a[0].isText()) h.editPath = a[0].text();
    return rt::Value::character(previous);
  });
  fns.add("BLOKUJ", [&c](rt::Runtime&, rt::Args& a) {
    if (c.workspace == nullptr || c.workspace->current() == nullptr) return rt::Value::logical(false);
    return rt::Value::logical(BLOKUJ(c, *c.workspace->current(), intOr(a[0], 1) == 1 ? LockMode::Record : LockMode::Table));
  });
  fns.add("EDITAPPEND", [&c](rt::Runtime&, rt::Args&) {
    Engine* e = running(c);
    return rt::Value::logical(e != nullptr && e->EDITAPPEND());
  });
  onRunning(fns, c, "DELHOR", [](Engine& e) { e.DELHOR(); });
  onRunning(fns, c, "EDITSEEK", [](Engine& e) { e.EDITSEEK(); });
  onRunning(fns, c, "EDITFIND", [](Engine& e) { e.EDITFIND(); });
  onRunning(fns, c, "EDITLOCATE", [](Engine& e) { e.EDITLOCATE(); });
  onRunning(fns, c, "DRAWBOX", [](Engine& e) { e.DRAWBOX(); });
  onRunning(fns, c, "DRAWINDEX", [](Engine& e) { e.DRAWINDEX(); });
  onRunning(fns, c, "DRAWTRACE", [](Engine& e) { e.DRAWTRACE(); });
  onRunning(fns, c, "DRAWCOMMENT", [](Engine& e) { e.DRAWCOMMENT(); });
}

}  // namespace ui::browse
