// src/ui/browse/engine.cpp — the engine's construction, its callbacks and DOEDIT's frame:
// what is saved on entry and put back on leaving.
#include "ui/browse/engine.hpp"

#include <algorithm>

#include "con/key_codes.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"

namespace ui::browse {

using rt::literals::operator""_pl;
namespace {

// The four slots added after the eight of a list colour, for the row colour callbacks.
constexpr std::string_view kAddedSlots[] = {"R+/N", "RB+/N", "GR+/N", "BG+/N"};
constexpr int kListSlots = 8;

std::vector<std::string> splitColour(std::string_view s) {
  std::vector<std::string> out;
  for (;;) {
    const std::size_t comma = s.find(',');
    std::string entry(s.substr(0, comma));
    entry.erase(std::remove(entry.begin(), entry.end(), ' '), entry.end());
    out.push_back(entry);
    if (comma == std::string_view::npos) break;
    s.remove_prefix(comma + 1);
  }
  return out;
}

bool given(const rt::Value& v) { return !v.isNil() && !(v.isLogical() && !v.logical()); }

}  // namespace

Engine::Engine(Context& c, db::WorkArea& area, Options options, std::vector<Column> tableColumns,
               std::vector<Column> cardColumns)
    : c_(c), area_(area), options_(std::move(options)), tableCols_(std::move(tableColumns)),
      cardCols_(std::move(cardColumns)) {
  std::string colour = options_.colour;
  if (colour.empty()) colour = c_.text("_EDIT_BLO");
  if (colour.empty()) colour = "W/N, N/W, N/N,,,,,W+/N";
  std::vector<std::string> entries = splitColour(colour);
  entries.resize(kListSlots);
  const con::Attr standard = entries[0].empty() ? con::Attr{0x07} : con::parseColourEntry(entries[0]);
  for (std::size_t i = 0; i < entries.size(); ++i)
    palette_.push_back(entries[i].empty() ? (i == 1 ? con::Attr{0x70} : standard) : con::parseColourEntry(entries[i]));
  for (std::string_view s : kAddedSlots) palette_.push_back(con::parseColourEntry(s));

  readOnly_ = !given(options_.editAllowed) && !given(options_.appendAllowed);
  naturalAllowed_ = options_.rowFilter.isNil();
  view_ = options_.startInTable || !options_.cardLayout ? ViewKind::Table : ViewKind::Card;
  commentLines_ = options_.commentLines;
  if (options_.frame.empty()) options_.frame = "╔═╗║╝═╚║ ╣╠╩"_pl;

  db::Workspace::Selection sel(area_.workspace(), area_.number());
  for (Column& col : tableCols_) measureColumn(c_.rt, col, evalColumn(col));
  for (Column& col : cardCols_) measureColumn(c_.rt, col, evalColumn(col));
  if (!c_.rt.vars().get("_ZAZNACZONE").isArray()) c_.setPublic("_ZAZNACZONE", rt::Value::newArray());
}

con::Attr Engine::colourAttr(int slot) const {
  if (slot < 1 || slot > static_cast<int>(palette_.size())) return palette_[0];
  return palette_[static_cast<std::size_t>(slot - 1)];
}

rt::Value Engine::callback(const rt::Value& cb, std::vector<rt::Value> args) {
  db::Workspace::Selection sel(area_.workspace(), area_.number());
  if (cb.isBlock()) return c_.rt.evalBlock(cb, args);
  if (cb.isText() && !cb.text().empty()) return c_.rt.evaluate(cb.text());
  return {};
}

bool Engine::permitted(const rt::Value& permission) {
  if (permission.isLogical()) return permission.logical();
  const rt::Value v = callback(permission);
  return v.isLogical() && v.logical();
}

rt::Value Engine::evalColumn(const Column& col) {
  if (!col.value) return rt::Value::character("");
  db::Workspace::Selection sel(area_.workspace(), area_.number());
  return c_.rt.eval(*col.value);
}

bool Engine::passesRowFilter() {
  if (options_.rowFilter.isNil()) return true;
  const rt::Value v = callback(options_.rowFilter);
  return !v.isLogical() || v.logical();
}

Outcome Engine::run(int commentLines) {
  commentLines_ = commentLines;
  savedScreen_ = c_.con.save();
  const std::string colour = c_.con.colour();
  const con::CursorShape shape = c_.con.setCursorShape(con::CursorShape::None);
  const con::HotKeyHandler tab = c_.con.bindings().handlerOf(con::key::kTab);
  const bool confirm = c_.rt.settings().confirm;
  entryRecno_ = area_.recno();
  entryOrder_ = area_.orderNumber();
  leaveRequested_ = false;
  outcome_ = Outcome::Left;
  if (area_.eof()) toTop();
  redraw();
  while (!leaveRequested_) {
    const int key = readKey();
    if (key == 0) continue;
    if (!handle(key)) break;
    if (leaveRequested_) break;
    if (c_.con.typeAheadEmpty() || prefix_.empty()) redraw();
  }
  leave();
  c_.rt.settings().confirm = confirm;
  c_.con.bindings().bind(con::key::kTab, tab);
  c_.con.setCursorShape(shape);
  c_.con.setColour(colour);
  if (options_.restoreScreen) c_.con.restore(con::Rect::whole(), savedScreen_);
  return outcome_;
}

void Engine::press(int key) {
  if (key != 0) handle(key);
  redraw();
}

void Engine::leave() {
  if (options_.selectColumn) {
    area_.setOrder(entryOrder_);
    area_.goTo(entryRecno_);
  }
  total_ = 0;
}

}  // namespace ui::browse
