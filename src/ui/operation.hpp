// src/ui/operation.hpp — Operation: the scope of one menu operation, the program's
// abandonable block as one object. Constructed first thing in the operation, it clears the
// screen, writes the title on row 0 and remembers the selected work area; however the
// operation is left (a return, Esc or a refused lock breaking out, a fault) it closes every
// table opened since it began, also one reopened in an area that was in use before, and
// selects the remembered area again. Tables open before it stay open. So an operation
// opens what it needs and never writes its own clean-up:
//
//   void EZAM(ui::Context& c) {
//     ui::Operation op(c, "EDYCJA ZAMÓWIEŃ"_pl);   // "█▓▓▒▒░░  EDYCJA ZAMÓWIEŃ  ░░▒▒▓▓█"
//     db::WorkArea* orders = op.use("EWIZAM", "S");  // closed again on every way out
//     if (orders == nullptr) return;                  // the operator gave up the wait
//     ...
//   }
//
// A fault while closing on a normal return is thrown from the scope, so nothing the
// operation wrote is lost unnoticed; while an exception is already leaving, the one that
// is leaving is what gets reported and a table that would not close stays for the menu.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/source_location.hpp"
#include "ui/context.hpp"

namespace ui {

enum class TitlePlace { Centred, Left };

class Operation {
 public:
  // `title` in CP852 and capitals: the bare title gets the usual frame, "█▓▓▒▒░░  " + title
  // + "  ░░▒▒▓▓█"; a text that begins with "█" is the whole title row of a screen whose
  // frame is spaced otherwise and is written as given. An empty title writes nothing.
  // Centred: at column (80 - width) / 2. Without a workspace only the screen is handled.
  Operation(Context& c, std::string_view title, TitlePlace place = TitlePlace::Centred);
  ~Operation() noexcept(false);
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;

  // Opens table `name` through the table store (store::USE_ with `mode`, its waiting notice
  // and its locks) in the lowest free area, selected; the area, or nullptr when the operator
  // gave up the wait (the area selected before is selected again). The error log names the
  // routine running (RoutineScope), else the C++ function, and the line of the call.
  // REQUIRES: c.tables is set.
  db::WorkArea* use(std::string_view name, std::string_view mode, std::string_view alias = {},
                    base::SourceLocation where = base::SourceLocation::current());
  // Closes the tables opened so far and selects the remembered area again, for the part of
  // an operation that goes on without them.
  void closeTables();

  // The title row as written: the framed title, or `title` itself when it is a whole row.
  static std::string titleRow(std::string_view title);

 private:
  Context& c_;
  int selected_ = 0;
  std::uint64_t mark_ = 0;
  int leaving_ = 0;  // exceptions already in flight when the operation began
};

}  // namespace ui
