// src/ui/qesc.hpp — QESC: a box that stays open while the caller works and watches for
// Esc itself ("  Oczekiwanie na dostęp ... " while a lock is retried, say).
#pragma once

#include <optional>
#include <string_view>

#include "ui/context.hpp"

namespace ui {

// With a text: draws the box (text on the middle row, footer centred on the bottom edge)
// and returns at once, colour and cursor unchanged. Without a text: puts the covered area
// back if a box is open; otherwise nothing. Opening while a box is open first closes the
// old one, so no stale box is ever left on the screen.
void QESC(Context& c, std::optional<std::string_view> text = std::nullopt, std::string_view colour = "N/W",
          std::string_view footer = " ESC - Zaniechaj ");

}  // namespace ui
