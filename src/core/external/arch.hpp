// src/core/external/arch.hpp — ARCH, which runs the archiver command lines of the
// configuration, and FOX, which starts the installation's external database program.
// Both lend the terminal to what they run and check nothing of its result.
//
// ARCH:
//   A1  title "█▓▓▒▒░░  ARCHIWIZACJA DANYCH  ░░▒▒▓▓█" on row 0 of a cleared screen;
//   A2  CONFIG is read shared read-only (waiting, no cancel); when it cannot be opened:
//       "Nie wykonano archiwizacji !"; when ARCH_1 is missing or empty: "Błąd konfiguracji.
//       Nie wykonano archiwizacji !"; either way nothing runs;
//   A3  ARCH_1, then ARCH_2 and ARCH_3 when not empty (trimmed), each by the shell in the
//       program folder, one after the other;
//   A4  an 880 Hz tone of 8 ticks, "Naciśnij dowolny klawisz ..." on a cleared row 24, a
//       key, a cleared screen.
// FOX:
//   F1  "Powrót do programu podstawowego poleceniem QUIT." and the key prompt; then the
//       program "fox" of the program folder (any letter case, run by the shell) with the
//       cursor shown; afterwards the tone and the key prompt as in A4. A folder without that
//       program shows "Brak programu zewnętrznego fox w folderze programu." instead of
//       running anything.
#pragma once

#include <functional>
#include <string>

#include "ui/context.hpp"

namespace core {

// How a command line is run: by the shell in the folder (sys::runCommand) unless a test
// puts something else here.
using CommandRunner = std::function<void(const std::string& line, const std::string& folder)>;
CommandRunner shellRunner();

void ARCH(ui::Context& c, const CommandRunner& run);
void FOX(ui::Context& c, const CommandRunner& run);

}  // namespace core
