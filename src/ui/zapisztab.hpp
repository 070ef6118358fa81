// src/ui/zapisztab.hpp — ZAPISZTAB: a value (usually a list) saved to a file as the text
// ADJUSTTAB gives, for CZYTAJTAB to read back.
#pragma once

#include <string_view>

#include "rt/value.hpp"
#include "sys/env.hpp"
#include "sys/path.hpp"

namespace ui {

// True when the whole text was written. The text goes to a new file that then replaces the
// old one, so a failed write leaves the previous contents in place.
bool ZAPISZTAB(sys::Env& env, const sys::PathResolver& paths, std::string_view file, const rt::Value& value);

}  // namespace ui
