// src/ui/key.hpp — the keyboard buffer: KEY fills it, CLEARBUFFER empties it.
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace ui {

// Empties the buffer and queues each character of `text` as a key. Returns true, so that
// it can stand in a condition.
bool KEY(Context& c, std::string_view text = " ");

// Reads and discards keys until none is waiting (typed ahead or stuffed).
void CLEARBUFFER(Context& c);

}  // namespace ui
