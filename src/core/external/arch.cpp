// src/core/external/arch.cpp — ARCH and FOX.
#include "core/external/arch.hpp"

#include <filesystem>
#include <optional>
#include <vector>

#include "rt/codepage.hpp"
#include "db/work_area.hpp"
#include "sys/command.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"

namespace core {

using rt::literals::operator""_pl;

namespace {

constexpr double kToneHertz = 880, kToneTicks = 8;

// A4: the tone, the prompt on row 24, a key.
void promptForKey(ui::Context& c) {
  c.con.tone(kToneHertz, kToneTicks);
  c.con.clearRow(24, 0);
  c.con.writeCells(24, 0, "Naciśnij dowolny klawisz ..."_pl, c.con.attr(con::Slot::Standard));
  c.con.moveCursor(24, 29);
  c.con.inkey(con::KeyWait::forever());
}

std::string trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// ARCH_1..ARCH_3 of the configuration record, trimmed; nullopt when CONFIG cannot be read.
// A missing field reads as empty.
std::optional<std::vector<std::string>> archiverLines(ui::Context& c, ui::Operation& op) {
  db::WorkArea* config = c.tables == nullptr ? nullptr : op.use("CONFIG", "R!");
  if (config == nullptr) return std::nullopt;
  std::vector<std::string> lines;
  for (const char* name : {"ARCH_1", "ARCH_2", "ARCH_3"}) {
    const auto field = config->fieldIndex(name);
    lines.push_back(field && !config->eof() ? trimmed(config->value(*field).text()) : std::string());
  }
  op.closeTables();
  return lines;
}

// The external program of FOX: a file named "fox" in the program folder, in any case.
std::optional<std::string> foxProgram(const std::string& folder) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == 3 && (name[0] | 0x20) == 'f' && (name[1] | 0x20) == 'o' && (name[2] | 0x20) == 'x' &&
        entry.is_regular_file(ec))
      return name;
  }
  return std::nullopt;
}

}  // namespace

CommandRunner shellRunner() {
  return [](const std::string& line, const std::string& folder) { (void)sys::runCommand(line, folder); };
}

void ARCH(ui::Context& c, const CommandRunner& run) {
  ui::Operation op(c, "ARCHIWIZACJA DANYCH"_pl);
  const auto lines = archiverLines(c, op);
  if (!lines) return ui::QKE(c, "Nie wykonano archiwizacji !"_pl);
  if ((*lines)[0].empty()) return ui::QKE(c, "Błąd konfiguracji. Nie wykonano archiwizacji !"_pl);
  c.con.clearScreen();
  const std::string folder = c.paths.programFolder();
  c.con.runOutside([&] {
    for (const std::string& line : *lines)
      if (!line.empty()) run(rt::utf8FromCp852(line), folder);  // the shell reads UTF-8
  });
  promptForKey(c);
  c.con.clearScreen();
}

void FOX(ui::Context& c, const CommandRunner& run) {
  c.con.clearScreen();
  c.con.writeCells(0, 0, "Powrót do programu podstawowego poleceniem QUIT."_pl, c.con.attr(con::Slot::Standard));
  c.con.writeCells(24, 0, "Naciśnij dowolny klawisz ..."_pl, c.con.attr(con::Slot::Standard));
  c.con.inkey(con::KeyWait::forever());
  c.con.clearScreen();
  const std::string folder = c.paths.programFolder();
  if (const auto program = foxProgram(folder)) {
    const con::CursorShape before = c.con.setCursorShape(con::CursorShape::Normal);
    c.con.runOutside([&] { run("./" + *program, folder); });
    c.con.setCursorShape(before);
    c.con.clearScreen();
  } else {
    c.con.writeCells(0, 0, "Brak programu zewnętrznego fox w folderze programu."_pl, c.con.attr(con::Slot::Standard));
  }
  promptForKey(c);
  c.con.clearScreen();
}

}  // namespace core
