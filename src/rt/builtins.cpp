// src/rt/builtins.cpp — the one place where the runtime library's functions enter the
// function table; each group registers itself from its own file.
#include "rt/runtime.hpp"

namespace rt {

void registerStringFunctions(FunctionTable& table);  // string_functions.cpp
void registerArrayFunctions(FunctionTable& table);   // array_functions.cpp
void registerNumberFunctions(FunctionTable& table);  // number_functions.cpp
void registerDateFunctions(FunctionTable& table);    // date_functions.cpp

void registerBuiltins(FunctionTable& table) {
  registerExpressionFunctions(table);
  registerStringFunctions(table);
  registerArrayFunctions(table);
  registerNumberFunctions(table);
  registerDateFunctions(table);
}

}  // namespace rt
