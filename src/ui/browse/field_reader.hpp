// src/ui/browse/field_reader.hpp — the browser's stand-in for the form reader's single-field
// read: a line editor in place with the value's picture, used until the form layer installs
// its reader in the host (Host::reader). Also the one-line prompts of the searches.
//
// Keys: printable characters overwrite (insert mode: insert) at the cursor; Left, Right,
// Home, End, Backspace and Del edit; Ins toggles insert mode; F8 and key 532 run the
// dictionary; Enter, Up, Down, PgUp and PgDn confirm, as does typing past the end while
// SET CONFIRM is off; Esc gives up and leaves the value as it was. A confirmed value is
// stored (assign) and then validated; reading goes on while the validation refuses it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/browse/host.hpp"

namespace ui::browse {

ReadEnd readInPlace(Context& c, FieldRead& f);

// A question box with one input of `width` characters after `question` on the middle row;
// the text typed (trailing blanks removed), or nullopt after Esc.
std::optional<std::string> askText(Context& c, std::string_view question, int width);

}  // namespace ui::browse
