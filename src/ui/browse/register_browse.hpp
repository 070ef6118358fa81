// src/ui/browse/register_browse.hpp — the browser's routines in the runtime's function table.
#pragma once

#include "rt/function_table.hpp"
#include "ui/browse/engine.hpp"
#include "ui/context.hpp"

namespace ui::browse {

// CLASSEDIT, DOEDIT, EDITPATH, EDITAPPEND, DELHOR, BLOKUJ, EDITSEEK, EDITFIND, EDITLOCATE,
// DRAWBOX, DRAWINDEX, DRAWTRACE, DRAWCOMMENT. The views and state that CLASSEDIT hands back
// (arguments 33 to 35, by reference) are handles {"BROWSE", n, kind} naming an engine the
// host keeps until DOEDIT releases it.
void registerBrowse(rt::FunctionTable& fns, Context& c);

// The orders offered by F5 from their list: entries {name, index number} (a bare name
// takes its position as the index number).
std::vector<OrderChoice> ordersFromValue(const rt::Value& v);

// The options of a CLASSEDIT call from its positional arguments.
Options optionsFromArguments(const rt::Args& a);

}  // namespace ui::browse
