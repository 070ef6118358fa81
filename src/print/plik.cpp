// src/print/plik.cpp — PLIK.
#include "print/plik.hpp"

#include "rt/codepage.hpp"
#include "ui/menu/horizmenu.hpp"

namespace print {
namespace {

constexpr int kMenuRow = 24;

std::optional<FileMode> askAboutExistingFile(ui::Context& c, const std::string& name) {
  c.con.tone(440, 3);
  const std::string saved = c.con.save(con::Rect{kMenuRow, 0, kMenuRow, 79});
  c.con.clearRow(kMenuRow, 0);
  const int choice = ui::HORIZMENU(c, kMenuRow, 0, "",
                                   {"DOPISANIE DO " + name + ".PRN ", "SKASOWANIE " + name + ".PRN ", "ZMIANA NAZWY"});
  c.con.restore(con::Rect{kMenuRow, 0, kMenuRow, 79}, saved);
  if (choice == 1) return FileMode::Append;
  if (choice == 2) return FileMode::Overwrite;
  return std::nullopt;
}

}  // namespace

std::optional<Plik> PLIK(ui::Context& c, std::string_view entry) {
  auto d = classify(entry);
  if (!d) {
    c.con.tone(220, 3);
    return std::nullopt;
  }
  Plik p{*d, FileMode::New};
  switch (d->kind) {
    case Kind::Windows:
    case Kind::Pdf: c.con.tone(880, 3); break;
    case Kind::WindowsFile:
      c.con.tone(880, 3);
      c.con.tone(880, 3);
      break;
    case Kind::File:
      if (c.workspace->env().exists(stationFile(c, d->name + ".prn"))) {
        const auto mode = askAboutExistingFile(c, d->name);
        if (!mode) return std::nullopt;
        p.mode = *mode;
      }
      break;
    default: break;
  }
  return p;
}

}  // namespace print
