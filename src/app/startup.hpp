// src/app/startup.hpp — MAIN: one run of the program at one station, from start-up through
// the main menu to the shut-down.
//
// Start-up, in this order: date and console settings; the service stop ("STOP" or
// "STOP.TXT" in the program folder); the program-wide variables and the station argument;
// the operators' password index SL_OPE_H rebuilt; the role from CONFIG; the first run of a
// representative's copy (first_run.hpp); the goods-code conversion ZMIANA when the goods-code
// picture asks for it; the structure stamp in STATUS and the upgrade UZG_WER when it differs;
// the exchange settings DAJ_POUFNE; the rest of the configuration; the allowed stations; the
// login; the station folder with its own PARADRUK; the registration file FLAGA
// (registration_file.hpp); the operator's own order station; the colour files under the
// STATUS file lock (colour_files.hpp); the hot keys; the run's menu index INDEX_MENU; the CRM
// alerts ALERT_CRM and PCRM; the full index rebuild INDEX after a first run; then MENU(0).
//
// Routines of other subsystems are called through the function table and skipped while they
// are not registered. UZG_WER: a stored stamp that differs from kStructureStamp runs it with
// the old stamp and the run ends when it gives false; without UZG_WER in the table the run
// goes on with the stored structure, silently.
//
// Shut-down, when MENU(0) returns: Shift+F1, Shift+F2 and Alt+K unbound; the clock stopped;
// every table closed; FLAGA and MENU.NTX deleted from the station folder; the default
// colours written to "dorvik". The exit code is the operator number _NR_OPE.
//
// Early ends (a station argument that is none, a message of start-up, the emergency exit, a
// failed login) return 0, or the code the ending routine gave; what is open is closed and the
// registration file of this run, if any, released without deleting it (the next run of the
// station takes it over). A change of operator whose login fails starts the run over.
#pragma once

#include <optional>
#include <string_view>

#include "app/station.hpp"

namespace app {

inline constexpr std::string_view kStructureStamp = "180916";  // year, month, day of the structure

int MAIN(Station& st, std::optional<std::string_view> argument);

}  // namespace app
