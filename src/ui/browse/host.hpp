// src/ui/browse/host.hpp — what the browser keeps for the run of the program: the folder
// of the EDIT table (EDITPATH), the engines whose state a caller keeps (by handle), and
// the seams to the pieces it borrows: the single-field reader of forms and the opening of
// tables. The host hangs off the Context and is made on first use.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.hpp"
#include "db/work_area.hpp"
#include "rt/value.hpp"
#include "ui/context.hpp"

namespace ui::browse {

class Engine;

// One field read in place: the value shown at (row, col) in `width` columns under
// `picture`; `valid` is asked after Enter with the new value already stored by `assign`
// (reading goes on while it answers false); `dictionary` runs on F8 and key 532.
struct FieldRead {
  int row = 0, col = 0, width = 0;
  std::string name;  // what READVAR() reports while the field is read
  std::string picture;
  rt::Value value;
  std::function<void(const rt::Value&)> assign;
  std::function<bool()> valid;
  std::function<void()> dictionary;
  con::Attr attr = 0x70;
};
enum class ReadEnd { Confirmed, Escaped };
using FieldReader = std::function<ReadEnd(Context&, FieldRead&)>;

// Opens a table for the browser's own use (the EDIT table): read-only, in a free area,
// which becomes the selected one.
using TableOpener = std::function<base::Result<db::WorkArea*>(Context&, const std::string& path,
                                                              const std::string& alias)>;

struct Host {
  std::string editPath;  // folder of EDIT.DBF; empty: the program folder
  std::map<int, std::shared_ptr<Engine>> engines;
  int nextHandle = 1;
  std::vector<Engine*> running;  // innermost last: the engine the by-name routines act on
  FieldReader reader;
  TableOpener opener;
};

Host& hostOf(Context& c);

// The engine kept in state slot 1..3 (_HOR1.._REST1 and so on), or nullptr when the slot
// holds none; and keeping `e` there (an engine kept before in the slot is released).
std::shared_ptr<Engine> keptEngine(Context& c, int slot);
void keepEngine(Context& c, int slot, std::shared_ptr<Engine> e);
// The {"BROWSE", handle, kind} value that names a kept engine to the program's code.
rt::Value handleValue(int handle, const char* kind);
int handleOf(const rt::Value& v);

}  // namespace ui::browse
