// src/ui/context.hpp — what the screen framework's routines work with: the station's
// runtime (memory variables such as _KY, _TOTAL, _EKRA_BLO), its console and its path
// resolver, plus the little state the routines keep between calls for the run of the
// program. The program owns one Context per station and hands it to every routine; the
// registry adapters (register.cpp) capture it. Nothing here draws.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "con/console.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "sys/path.hpp"

namespace store {
class Tables;
}

namespace ui {

namespace browse {
struct Host;
}
namespace lookup {
struct State;
}

enum class Display { Colour, Monochrome };

struct ActiveForm;  // ui/form/field_edit.hpp

// One entry of the title stack: entry k names the window of menu nesting level k.
struct Title {
  std::string text;
  rt::Value value;
};

// A box that stays open between calls (the waiting box, the wait box): the screen area it
// covers, as saved before drawing, and the cursor shape it hid.
struct OpenBox {
  bool open = false;
  con::Rect area;
  std::string saved;
  con::CursorShape shape = con::CursorShape::Normal;
};

// The seam to the main screen's message table: groups of text lines numbered 1..count.
// The table layer provides it; without one no message box is shown.
class MessageSource {
 public:
  virtual ~MessageSource() = default;
  // The number of groups (the group number of the last record); nullopt when the table
  // cannot be used.
  virtual std::optional<int> groupCount() = 0;
  // The lines of group `group`, in record order; nullopt when the group is not found.
  virtual std::optional<std::vector<std::string>> groupLines(int group) = 0;
};

struct MessageBoxState {
  MessageSource* source = nullptr;
  int lastGroup = 0;  // 0: no group shown yet in this run
  std::function<double()> random;  // uniform in [0, 1)
};

// The colour editor's indexes into its sixteen-code list for each of its three settings:
// text, background, highlighted text, highlighted background (0: a code not in the list).
struct ColourIndexes {
  int text = 0, back = 0, hiText = 0, hiBack = 0;
  friend bool operator==(const ColourIndexes&, const ColourIndexes&) = default;
};

struct ColourEditorState {
  bool known = false;
  int section = 0;  // 0 screens, 1 record lists and cards, 2 dictionaries
  ColourIndexes sections[3];
};

// One running routine of the program, for the error handler's "Called from" lines.
struct CallFrame {
  std::string routine;
  int line = 0;
};

// Whether the current record of an open menu table carries a valid integrity stamp. The
// operators' module provides it; until then (an empty function) every record verifies.
using StampCheck = std::function<bool(db::WorkArea& menuTable)>;

struct Context {
  Context(rt::Runtime& runtime, con::Console& console, sys::PathResolver& resolver);
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  rt::Runtime& rt;
  con::Console& con;
  sys::PathResolver& paths;

  Display display = Display::Colour;
  bool insertMode = false;   // the forms' insert mode
  bool polishKeys = false;   // the Polish-letter keyboard
  std::vector<Title> titles;
  OpenBox waitingBox;        // QESC
  OpenBox waitBox;           // QPC
  int progressSteps = 0;     // PASEK's step counter
  MessageBoxState messages;
  ColourEditorState colourEditor;
  // The station's work areas; the program sets it once its tables can be opened. Routines
  // that need tables refuse to run without it.
  db::Workspace* workspace = nullptr;
  store::Tables* tables = nullptr;  // the table store over `workspace`, set with it
  // The network-error flag: set by the error handler when opening a table or appending a
  // record failed because another station holds it; read and reset through NETERR.
  bool networkError = false;
  // The routines running, outermost first; a routine enters through RoutineScope.
  std::vector<CallFrame> calls;
  // The form being read (nullptr outside forms): its fields and the one with focus.
  ActiveForm* form = nullptr;
  StampCheck stampCheck;     // menu entries that fail it are unavailable
  std::shared_ptr<browse::Host> browse;  // the table browser's state (browse/host.hpp)
  std::shared_ptr<lookup::State> lookup;  // the dictionaries' state (lookup/lookup.hpp)

  // Memory-variable helpers: a missing or non-numeric variable reads as 0 / "".
  double number(std::string_view name) const;
  std::string text(std::string_view name) const;
  void setPublic(std::string_view name, rt::Value value);
};

// Puts a routine on Context::calls for its lifetime.
class RoutineScope {
 public:
  RoutineScope(Context& c, std::string routine, int line = 0) : calls_(c.calls) {
    calls_.push_back({std::move(routine), line});
  }
  ~RoutineScope() { calls_.pop_back(); }
  RoutineScope(const RoutineScope&) = delete;
  RoutineScope& operator=(const RoutineScope&) = delete;

 private:
  std::vector<CallFrame>& calls_;
};

}  // namespace ui
