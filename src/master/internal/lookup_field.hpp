// src/master/internal/lookup_field.hpp — one form field read with a dictionary lookup: F8
// (and key 532) open the dictionary's list while the field has focus, and on leaving the
// field its value must be found in the dictionary (or pass `accept`), else the focus stays.
// The contractor and goods fields of the information windows and of the discount viewer
// are read this way.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/form/get.hpp"
#include "ui/form/read_form.hpp"
#include "ui/lookup/lookup.hpp"

namespace master {

// The lookup of a contractor number over the area `alias` (KON or a copy of it opened with
// its four orders): screen "KON", layout "V1", orders numer, nazwa, NIP, miasto i ulica,
// footer SLAD_KON, checked in the number order.
ui::lookup::SlArgs contractorLookup(ui::Context& c, const std::string& alias, const std::string& townOrderName);
// The lookup of a goods index over `alias` (TOW opened with its four orders): screen
// "TOW", layout "V1", orders indeks, nazwa, grupa and the fourth order's name.
ui::lookup::SlArgs goodsLookup(ui::Context& c, const std::string& alias);

// Reads `g` once (readOne) with `lookup` bound to F8 while it has focus. A value that
// `accept` takes (when given) is not looked up.
ui::ReadResult readWithLookup(ui::Context& c, ui::Get& g, const ui::lookup::SlArgs& lookup,
                              std::function<bool(const rt::Value&)> accept = {});

}  // namespace master
