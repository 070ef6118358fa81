// src/ui/browse/prompts.hpp — how the browser reads: a cell in place through the form
// reader (the host's default reader), and the one-line question boxes of the searches.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/browse/host.hpp"

namespace ui::browse {

// Reads `f` as a form of one field (ui::readOne): the form's keys, pictures and insert
// mode; F8 and key 532 run f.dictionary while the read lasts; Up, Down and Tab leave the
// cell confirmed like Enter, Esc gives the value back.
ReadEnd readCellWithForm(Context& c, FieldRead& f);

// A question box with one input of `width` characters after `question` on the middle row;
// the text typed (trailing blanks removed), or nullopt after Esc.
std::optional<std::string> askText(Context& c, std::string_view question, int width);

}  // namespace ui::browse
