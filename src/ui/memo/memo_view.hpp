// src/ui/memo/memo_view.hpp — shows memo text read-only in a window and scrolls it with the
// keys until Esc. The text is word-wrapped at the window width (memo_text.hpp) and drawn
// in the standard colour; the window's frame, title and what is under it belong to the
// caller, and the drawn lines stay on the screen after the viewer returns.
//
// Keys: Up/Down one line, PgUp/PgDn one window, Home or Ctrl+PgUp the start of the text,
// End or Ctrl+PgDn its end, Esc or Ctrl+W close. The key wait is a wait state: bound hot
// keys run. A hook, when given, sees every key first and decides what becomes of it.
#pragma once

#include <functional>
#include <string_view>

#include "con/screen.hpp"
#include "ui/context.hpp"

namespace ui {

enum class ViewKey {
  Default,  // the viewer handles the key as usual
  Handled,  // the hook has dealt with it; the viewer ignores it
  Close,    // the viewer ends, returning this key
};

using ViewKeyHook = std::function<ViewKey(int key)>;

// Shows `stored` (memo text as stored: CR LF hard line ends, 0x8D LF soft ones) inside
// `window` and returns the key that closed it. The cursor is hidden meanwhile and its
// shape put back on return. REQUIRES: `window` lies on the screen and is not empty.
int viewMemo(Context& c, std::string_view stored, con::Rect window, const ViewKeyHook& hook = {});

}  // namespace ui
