// src/print/freadln.hpp — FREADLN and FWRITELN: text files a line at a time, lines ended by
// CR LF, over a file of sys::Env and a position the caller keeps (the classic file handle).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sys/env.hpp"

namespace print {

struct TextHandle {
  sys::File& file;
  std::uint64_t position = 0;
};

// Reads up to `length` bytes at the position; `line` gets the text before the first CR LF
// (the whole block when there is none) and the position moves past that line end. False
// when nothing was read (the end of the file, or a read error).
bool FREADLN(TextHandle& h, std::string& line, std::size_t length);

// Writes `text` and CR LF at the position and moves past them.
base::Status FWRITELN(TextHandle& h, std::string_view text);

}  // namespace print
