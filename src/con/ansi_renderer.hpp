// src/con/ansi_renderer.hpp — the bytes that bring an ANSI terminal from the frame it shows
// to the next one: UTF-8 text, 16 colours with bright backgrounds, the cursor and its shape.
// Only cells that changed are sent; the first frame, and any after invalidate(), is sent
// whole.
//
// Colours: DOS numbers blue as bit 0 and red as bit 2, ANSI the other way round, so the
// ANSI index is the DOS index with bits 0 and 2 exchanged. Foreground bit 3 selects the
// bright colours (SGR 90..97), attribute bit 7 the bright backgrounds (SGR 100..107);
// nothing blinks.
// Cursor shapes: hidden, underline, bar (insert), block (large, insert mode), steady block
// (large, overwrite mode); on the Linux console its own cursor sizes (underline, half,
// two thirds, full block).
// Invariants after render(): R1 the terminal shows `grid`; R2 its cursor stands at the
// cursor's cell (column 80 shown at 79) with its shape; R3 auto-wrap is off (set by the
// terminal on opening), so writing the last column never scrolls.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "con/device.hpp"

namespace con {

struct RenderOptions {
  bool linuxConsole = false;  // cursor shapes by the Linux console's own sequence
};

class AnsiRenderer {
 public:
  explicit AnsiRenderer(RenderOptions options = {});
  std::string render(const Screen::Grid& grid, const Cursor& cursor);
  void invalidate() { shown_.reset(); }

 private:
  void appendCell(std::string& out, const Cell& cell);
  void appendCursor(std::string& out, const Cursor& cursor);

  RenderOptions options_;
  std::array<std::string, 256> utf8_;
  std::optional<Screen::Grid> shown_;
  std::optional<Cursor> shownCursor_;
  int attr_ = -1;  // the SGR state of the terminal, -1 unknown
};

}  // namespace con
