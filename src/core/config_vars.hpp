// src/core/config_vars.hpp — the program-wide variables taken from the one configuration
// record (table CONFIG): which field feeds which variable, with the trimming, case and
// defaults each one gets. Opening the table is the caller's; this file only maps a record.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "rt/runtime.hpp"

namespace core {

// A field of the configuration record by name; nullopt when the table has no such field
// (an older table lacks the newer fields, which then take their defaults).
using ConfigField = std::function<std::optional<rt::Value>(std::string_view name)>;

// Sets every variable the configuration feeds (_WERSJA, _KONTO_PH, _KARTOTEKA, the display
// pictures, VAT rates, price kinds, mail and folder settings, ...) and the ones derived
// from them (_CENA_1.._CENA_3, _TYP_MAR, _CKON, _VAT, _ZMIANA_I). A field the table lacks
// keeps the variable's current value unless a default is named for it.
// REQUIRES: declareProgramVars() has run.
void readConfigVars(rt::Runtime& rt, const ConfigField& field);

// The configuration password used while the field HASLO is empty.
inline constexpr std::string_view kDefaultConfigPassword = "ZELMOR";

}  // namespace core
