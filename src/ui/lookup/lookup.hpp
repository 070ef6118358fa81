// src/ui/lookup/lookup.hpp — dictionaries: the pick lists a form field opens on F8 (and key
// 532) over a dictionary table, run by the table browser in a window at the bottom of the
// screen. SL hands back a value (typed into the field) and doubles as the field's
// validation; SLR hands back a record number in _KTORY_REKORD; SLGET and SLRGET bind them
// to the keys for the time of one field.
//
// Rules:
//   L1  the window's right edge is the last column; its bottom follows the dictionary's
//       size n: SL ends on row 23 when n >= 19 - top, else 18 - n - top rows higher; SLR
//       ends on row 24 when n >= 19, else 18 - n rows higher, and one row lower (at most
//       24) with a comment line. A short dictionary gets a short window.
//   L2  while a list runs, F8, key 532 and the key named by character 33 of _WERSJA are
//       bound to nothing, the colour is "N/W,W/N" and the marks (_ZAZNACZONE) are the
//       list's own; everything is put back afterwards, the selected area included.
//   L3  _ILEREC holds the dictionary's record count at the start of the list (a private of
//       the lookup); rows added during the lookup are the only ones that may be edited or
//       deleted, and only when additions are allowed.
//   L4  a state slot 1..3 keeps the list's engine (_HOR1.._REST3); a later lookup with the
//       same slot over the same table resumes it instead of building the views again.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "con/key_bindings.hpp"
#include "rt/value.hpp"
#include "ui/context.hpp"

namespace ui::lookup {

inline constexpr int kDictionaryKey = 532;  // besides F8

// The arguments of SL (and SLGET), defaults filled in.
struct SlArgs {
  rt::Value area;                // number or alias; NIL: the current area
  std::string screenKey;
  std::string layout = "V0";
  int valueColumn = 1;           // above 1000: column n - 1000 followed by ","
  std::optional<int> checkOrder; // none: the order the dictionary has when SL is called
  rt::Value orders;              // the orders offered by F5
  rt::Value comment;
  bool additions = false;
  int lockMode = 2;
  std::optional<int> startOrder; // none: the current order
  std::optional<int> top, left, bottom;
  int slot = -1;
  bool reposition = true;
  bool multiple = false;
};

// The arguments of SLR (and SLRGET), defaults filled in.
struct SlrArgs {
  rt::Value area;
  std::string screenKey;
  std::string layout = "V0";
  int valueColumn = 1;
  rt::Value orders;
  rt::Value comment;
  bool editing = false;
  int lockMode = 0;
  bool forced = false;
  std::optional<int> startOrder;
  int slot = -1;
  bool reposition = true;
  int top = 3;
  rt::Value colours;             // the cells' colour callback; NIL: colours 1 and 2
};

SlArgs slArgs(const rt::Args& a);
SlrArgs slrArgs(const rt::Args& a);

// L1: the bottom row of a lookup's window over `records` rows.
int slBottom(std::uint32_t records, int top);
int slrBottom(std::uint32_t records, bool comment);

// The dictionary lookup. Without F8 or key 532 as the last key no window opens; the
// result is whether the edited field's value is in the dictionary under the check order.
bool SL(Context& c, const SlArgs& args);
// Binds F8 and key 532 to SL with `args` and shows the large cursor (true); SLGET()
// without arguments puts the earlier bindings and the normal cursor back.
bool SLGET(Context& c, const SlArgs& args);
void SLGET(Context& c);

// The record lookup: sets _KTORY_REKORD (0 first, the picked record on Enter or
// Ctrl+Enter). Nothing happens for an empty dictionary, nor without F8, key 532 or
// `forced`. Always true.
bool SLR(Context& c, const SlrArgs& args);
bool SLRGET(Context& c, const SlrArgs& args);
void SLRGET(Context& c);

// _KTORY_REKORD = 0; true.
bool ZERUJ(Context& c);
// _KTORY_REKORD = the current record of the current area; the keyboard buffer is cleared.
bool PODAJ_REK(Context& c);

// What the lookups keep for the run of the program.
struct State {
  // The bindings of F8 and key 532 before the latest SLGET/SLRGET, to put back.
  std::optional<std::pair<con::HotKeyHandler, con::HotKeyHandler>> savedKeys;
  // Sends a text to the printer at the current print position and puts the position
  // back. Until printing is wired in, nothing is printed.
  std::function<void(Context&, std::string_view)> printAtPosition;
};

State& stateOf(Context& c);

}  // namespace ui::lookup
