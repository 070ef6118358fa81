// src/master/internal/info_window.hpp — what the two information windows of the hot keys
// (KON_INFO on Alt+K, TOW_INFO on Alt+I) keep while they are open and put back on every
// way out: the screen under the window, the cursor (shape and place), the colour, the
// selected area, the tables the window opened, and the two hot keys, which are unbound for
// the window's time so that neither window opens inside the other or itself. A key that
// had no handler when the window opened is bound again to its window by name.
#pragma once

#include "con/key_bindings.hpp"
#include "master/internal/seams.hpp"
#include "ui/context.hpp"

namespace master {

class InfoWindow {
 public:
  InfoWindow(ui::Context& c, con::Rect saved);
  ~InfoWindow();
  InfoWindow(const InfoWindow&) = delete;
  InfoWindow& operator=(const InfoWindow&) = delete;

 private:
  ui::Context& c_;
  con::Rect area_;
  std::string screen_;
  con::Cursor cursor_;
  std::string colour_;
  con::HotKeyHandler goods_, contractors_;
  TableScope tables_;
};

// The value of the field NR_KON (or INDEKS) of the current area when it has one, to open
// the window on; nullopt when no table is open there or it lacks the field.
std::optional<rt::Value> currentFieldValue(ui::Context& c, std::string_view field);

// The highlight colour: the second entry of the current colour string.
con::Attr highlight(const ui::Context& c);

}  // namespace master
