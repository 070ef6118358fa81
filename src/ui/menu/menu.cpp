// src/ui/menu/menu.cpp — the menu engine: showing a level, the rights check, running the
// chosen entry's command through the runtime's function table.
#include "ui/menu/menu.hpp"

#include <optional>
#include <string>
#include <vector>

#include "base/check.hpp"
#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "ui/break.hpp"
#include "ui/call.hpp"
#include "ui/cien.hpp"
#include "ui/help/help.hpp"
#include "ui/menu/menu_level.hpp"
#include "ui/menu/menu_list.hpp"
#include "ui/menu/ret2.hpp"
#include "ui/modal_box.hpp"
#include "ui/przygotuj_ekran.hpp"
#include "ui/push.hpp"
#include "ui/qke.hpp"

namespace ui {
namespace {

using rt::literals::operator""_pl;
namespace key = con::key;

constexpr int kF8 = key::function(8);
constexpr int kF11 = key::function(11);
constexpr int kKey532 = 532;  // a code no key produces; commands may bind it
constexpr int kListWidth = 36;
constexpr int kServicePriority = 10;
constexpr int kLoggedPriority = 9;
constexpr std::string_view kServiceOperator = "(C)";

// A hot key bound to a handler for the life of the object; the previous handler comes back.
class HotKeyScope {
 public:
  HotKeyScope(con::Console& con, int code, con::HotKeyHandler h)
      : con_(con), code_(code), previous_(con.bindings().bind(code, std::move(h))) {}
  ~HotKeyScope() { con_.bindings().bind(code_, std::move(previous_)); }
  HotKeyScope(const HotKeyScope&) = delete;
  HotKeyScope& operator=(const HotKeyScope&) = delete;

 private:
  con::Console& con_;
  int code_;
  con::HotKeyHandler previous_;
};

// A title on the stack for the life of the object (M1).
class TitleScope {
 public:
  TitleScope(Context& c, std::string_view title, std::string_view helpKey) : c_(c), depth_(c.titles.size()) {
    PUSH(c, title, rt::Value::character(std::string(helpKey)));
  }
  ~TitleScope() {
    if (c_.titles.size() > depth_) c_.titles.resize(depth_);
  }
  TitleScope(const TitleScope&) = delete;
  TitleScope& operator=(const TitleScope&) = delete;

 private:
  Context& c_;
  std::size_t depth_;
};

class EscapeOff {
 public:
  explicit EscapeOff(rt::Runtime& rt) : rt_(rt), previous_(rt.settings().escape) { rt.settings().escape = false; }
  ~EscapeOff() { rt_.settings().escape = previous_; }
  EscapeOff(const EscapeOff&) = delete;
  EscapeOff& operator=(const EscapeOff&) = delete;

 private:
  rt::Runtime& rt_;
  bool previous_;
};

std::string centred(std::string_view text, int w) {
  const std::string t = trimmed(text).substr(0, static_cast<std::size_t>(w));
  return padRight(std::string(static_cast<std::size_t>((w - width(t)) / 2), ' ') + t, w);
}

bool isNameChar(char ch) {
  const auto b = static_cast<unsigned char>(ch);
  return rt::isAlphaCp852(b) || (ch >= '0' && ch <= '9') || ch == '_' || ch == '(' || ch == ')';
}

// M4.
bool listed(std::string_view list, std::string_view name) {
  if (name.empty()) return false;
  const std::string upperList = rt::upperCp852(list), upperName = rt::upperCp852(name);
  for (std::size_t at = upperList.find(upperName); at != std::string::npos; at = upperList.find(upperName, at + 1)) {
    const std::size_t end = at + upperName.size();
    const bool startsFree = at == 0 || !isNameChar(upperList[at - 1]);
    const bool endsFree = end == upperList.size() || !isNameChar(upperList[end]);
    if (startsFree && endsFree) return true;
  }
  return false;
}

enum class Refusal { None, Unavailable, Operator };

// M3.
Refusal refusalOf(const Context& c, const MenuEntry& e) {
  const int priority = static_cast<int>(c.number("_PRIORYTET"));
  const std::string op = trimmed(c.text("_OPERATOR"));
  if (!e.available) return Refusal::Unavailable;
  if (e.priority > priority) return Refusal::Operator;
  const bool service = priority >= kServicePriority && op == kServiceOperator;
  if (e.operators.empty() || listed(e.operators, op) || service) return Refusal::None;
  return Refusal::Operator;
}

// The routine a command calls when it is a plain call "NAME(...)" or a bare "NAME".
struct PlainCall {
  std::string name;
  bool bare = false;
};

std::optional<PlainCall> plainCallOf(std::string_view command) {
  std::size_t i = 0;
  auto isStart = [](char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_'; };
  if (command.empty() || !isStart(command[0])) return std::nullopt;
  while (i < command.size() && (isStart(command[i]) || (command[i] >= '0' && command[i] <= '9'))) ++i;
  PlainCall plain{std::string(command.substr(0, i)), false};
  std::size_t j = i;
  while (j < command.size() && command[j] == ' ') ++j;
  if (j == command.size()) plain.bare = true;
  else if (command[j] != '(') return std::nullopt;
  return plain;
}

// M5: an empty command beeps; an unknown routine is a placeholder.
void runCommand(Context& c, const std::string& command) {
  if (command.empty()) return RET(c);
  const std::optional<PlainCall> plain = plainCallOf(command);
  if (plain && !c.rt.functions().contains(plain->name)) return RET2(c);
  if (plain && plain->bare) {
    call(c, plain->name);
    return;
  }
  c.rt.evaluate(command);
}

void refuse(Context& c, Refusal r) {
  if (r == Refusal::Unavailable) return QKE(c, "Opcja niedostępna"_pl);
  QKE(c, "Opcja niedostępna dla operatora "_pl + trimmed(c.text("_OPERATOR")));
}

// Steps M3, M5, M6 for the chosen entry.
void runEntry(Context& c, const MenuEntry& e) {
  TitleScope title(c, trimmed(e.text), e.helpKey);
  HotKeyScope f1(c.con, key::kF1, helpHandler(c, e.helpKey));
  if (const Refusal r = refusalOf(c, e); r != Refusal::None) return refuse(c, r);
  c.con.stopClock();
  if (e.priority == kLoggedPriority && c.number("_PRIORYTET") < kServicePriority)
    call(c, "INFO_LOG", {rt::Value::character(trimmed(e.text))});
  try {
    runCommand(c, e.command);
  } catch (const Break&) {
    // the operation gave itself up; the menu goes on
  }
  c.con.bindings().unbind(kF8);
  c.con.bindings().unbind(kKey532);
  c.workspace->closeAll();
}

// Showing and choosing: the background, the level's title, the list. nullopt after Esc.
std::optional<int> showLevel(Context& c, const std::vector<MenuEntry>& entries, int highlight, bool mainMenu) {
  const int d = std::max(0, static_cast<int>(c.titles.size()) - 1);
  const int n = static_cast<int>(entries.size());
  c.con.setCursorShape(con::CursorShape::None);
  c.con.beginUpdate();
  PRZYGOTUJ_EKRAN(c, d, n);
  const std::string top = c.titles.empty() ? std::string() : c.titles.back().text;
  c.con.writeCells(5 + 2 * d, 4 + 2 * d, centred(top, kListWidth), c.con.attr(con::Slot::Standard));
  if (mainMenu) {
    c.con.writeCells(6, 4, centred(c.text("_FIRMA_MENU"), kListWidth + 1), c.con.attr(con::Slot::Standard));
    c.con.writeCells(7, 4, std::string(kListWidth + 1, ' '), c.con.attr(con::Slot::Standard));
  }
  c.con.endUpdate();
  EscapeOff escape(c.rt);
  HotKeyScope f11(c.con, kF11, [&c](const con::HotKeyCall&) { call(c, "ZMIANA_OPE"); });
  std::vector<std::string> texts;
  for (const MenuEntry& e : entries) texts.push_back(e.text);
  const ListPlace place{7 + 2 * d + (mainMenu ? 1 : 0), 4 + 2 * d, kListWidth};
  return chooseFromList(c, texts, place, highlight);
}

void leaveProgram(Context& c) {
  c.con.stopClock();
  c.con.clearScreen();
  c.workspace->closeAll();
  c.con.setCursorShape(con::CursorShape::Normal);
}

}  // namespace

void MENU(Context& c, int level) {
  ZEL_CHECK(c.workspace != nullptr);
  c.workspace->closeAll();
  const bool mainMenu = level == 0;
  std::optional<TitleScope> programTitle;
  std::optional<HotKeyScope> programHelp;
  if (mainMenu) {
    programTitle.emplace(c, c.text("_NAZWA_PRG"), kProgramHelpTopic);
    programHelp.emplace(c.con, key::kF1, helpHandler(c, std::string(kProgramHelpTopic)));
  }
  const std::vector<MenuEntry> entries = readMenuLevel(c, level);
  if (entries.empty()) return;
  const int closing = static_cast<int>(entries.size()) - 1;
  int highlight = 0;
  for (;;) {
    const std::optional<int> chosen = showLevel(c, entries, highlight, mainMenu);
    if (!chosen) {
      if (mainMenu) {
        highlight = closing;
        continue;
      }
      c.workspace->closeAll();
      return;
    }
    highlight = *chosen;
    if (mainMenu && highlight == closing) return leaveProgram(c);
    runEntry(c, entries[static_cast<std::size_t>(highlight)]);
    c.workspace->closeAll();
  }
}

}  // namespace ui
