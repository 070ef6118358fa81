// src/ui/czytajtab.hpp — CZYTAJTAB: a value read back from a file that ZAPISZTAB wrote.
#pragma once

#include <optional>
#include <string_view>

#include "rt/runtime.hpp"
#include "sys/env.hpp"
#include "sys/path.hpp"

namespace ui {

// The value of the file's text, or NIL when the file does not exist. Text that is not such
// a value raises the runtime's syntax error naming the file (the error handler's substitute
// is the result); a file that exists but cannot be read raises its read error.
rt::Value CZYTAJTAB(rt::Runtime& rt, sys::Env& env, const sys::PathResolver& paths, std::string_view file);

// The value of a text of the form ADJUSTTAB writes: lists in braces, numbers, text in
// "...", '...' or [...] joined with "+" and CHR(n), STOD("...") and CTOD("..."), .t./.f.
// (also .y./.n.), NIL, and a bare date in the date layout (dd.mm.yy) as older files hold
// it. Nothing else is accepted: the file is data, so it can never call an operation of
// the program. nullopt when the text is not such a value.
std::optional<rt::Value> readTabText(std::string_view text, const rt::Settings& settings);

}  // namespace ui
