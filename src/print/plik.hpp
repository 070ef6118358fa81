// src/print/plik.hpp — PLIK: the "Port/Plik:" entry checked as it is left. The rules of
// destination.hpp decide; a refused entry sounds 220 Hz and stays; a system printer or PDF
// sounds 880 Hz, a Windows text file twice; a file whose ".prn" already exists in the
// station folder sounds 440 Hz and asks on row 24: "DOPISANIE DO " + name + ".PRN "
// (append), "SKASOWANIE " + name + ".PRN " (overwrite), "ZMIANA NAZWY" (another name: the
// entry is refused); Esc refuses too.
#pragma once

#include <optional>
#include <string_view>

#include "print/send.hpp"

namespace print {

struct Plik {
  Destination destination;
  FileMode mode = FileMode::New;
};

std::optional<Plik> PLIK(ui::Context& c, std::string_view entry);

}  // namespace print
