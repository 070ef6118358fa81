// src/ui/help/help_text.hpp — a help text as lines of a window, and the read-only viewer that
// scrolls them, with HELPHANDLER, its key rule.
//
// Lines: hard line ends are CR LF (a lone LF counts too); the soft line ends an editor leaves
// at its wrap points (byte 141 followed by LF) are not line ends, the text is wrapped again
// at the window's width instead, at the last blank that fits (a word longer than the width is
// cut). Tabs stand for blanks up to the next multiple of 4. A line end at the very end of the
// text opens no further line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "con/screen.hpp"
#include "ui/context.hpp"

namespace ui {

std::vector<std::string> helpLines(std::string_view memo, int width);

enum class ViewerAction { Leave, LineUp, LineDown, PageUp, PageDown, Top, Bottom, Ignore };

// The key rule of the help viewer: Esc leaves; the arrows scroll a line, PgUp / PgDn a page,
// Home / Ctrl+PgUp and End / Ctrl+PgDn to the top and the bottom; every other key, F1
// included, does nothing.
ViewerAction HELPHANDLER(int key);

// Shows `lines` in `area` from the first, scrolled by HELPHANDLER until Esc, with the cursor
// hidden. The caller restores what the area covered.
void viewText(Context& c, con::Rect area, const std::vector<std::string>& lines);

}  // namespace ui
