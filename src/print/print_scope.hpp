// src/print/print_scope.hpp — the printer functions of stored expressions bound to one
// printout for its duration: PROW(), PCOL(), DEVPOS(row, col), DEVOUT(value), SETPRC(row,
// col), the public RMARG (the right margin's column) and the browser's PRINTCONT seam. Outside
// a printout the functions are registered idle (PROW() and PCOL() give 0, the others do
// nothing); the scope puts back whatever was registered before it, on every way out.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "print/printer.hpp"
#include "rt/function_table.hpp"
#include "ui/context.hpp"

namespace print {

class PrintScope {
 public:
  PrintScope(ui::Context& c, Printer& p);
  ~PrintScope();
  PrintScope(const PrintScope&) = delete;
  PrintScope& operator=(const PrintScope&) = delete;

 private:
  ui::Context& c_;
  std::vector<std::pair<std::string, rt::Function>> previous_;
  std::function<void(ui::Context&, std::string_view)> previousSeam_;
};

// The idle printer functions (registered once with the other printing routines).
void registerIdlePrinterFunctions(rt::FunctionTable& fns);

// The text DEVOUT prints for a value: text as it is, numbers as STR, dates as DTOC,
// logicals as T or F.
std::string printedText(rt::Runtime& rt, const rt::Value& v);

}  // namespace print
