// src/master/contractor_routines.hpp — the small contractor routines that orders, lookups
// and column descriptions call: the credit check (KON_OK), the footer lines of contractor
// lists (SLAD_KON, SLAD_KON2), the account of a picked record (DAJ_KONTO), the
// acknowledging read (K_OFF) and the temporary contractor numbers (KON_TMP, DAJ_TMP,
// UNIK_KON).
//
// Contractor numbers: five characters. Head office's numbers are digits; a number made on
// a representative's station is the station's letter _CKON followed by four digits, and a
// number whose first character is a letter A..Z or a blank counts as temporary (head
// office replaces it during the package import).
//
// The credit limit LIMIT carries two meanings: 0 no limit; above 0 and below 1.01 blocked
// by head office; anything else the limit in currency. The receivable balance is
// WN_ODB - MA_ODB.
#pragma once

#include <string>
#include <string_view>

#include "rt/value.hpp"
#include "ui/context.hpp"

namespace master {

// Warns "Klient zablokowany przez centralę." for a blocked contractor, then "Przekroczony
// limit zadłużenia." when the balance exceeds a limit that is not 0. Looks the number up in
// the area KON when it is open (which is left on that contractor), else in the table KON
// opened for the check. Warnings only: always true.
bool KON_OK(ui::Context& c, std::string_view number);

// " " + trimmed town + ", " + street (", " + street only when there is one), padded to 70,
// from the current record.
std::string SLAD_KON(ui::Context& c);
// " " + trimmed name + ", " + trimmed town, then ", " + street when there is one, padded
// to 76, from the current record.
std::string SLAD_KON2(ui::Context& c);

// After a lookup picked a record (_KTORY_REKORD above 0): the current area goes to it,
// _KTORY_REKORD becomes 0 and `target` takes the record's KONTO; the fields of the form
// being read are drawn again. Always true.
bool DAJ_KONTO(ui::Context& c, rt::Value& target);

// A one-character read at row 24, column 0, with the type-ahead cleared before and after;
// what is typed is dropped.
void K_OFF(ui::Context& c);

// Whether `number` is temporary: its first character is A..Z or a blank (or it is empty).
bool KON_TMP(std::string_view number);

// On the current record of KON: a blank number gets the next temporary number of this
// station's letter (the highest in use plus one, or letter + "0001"); then a number that
// starts with the letter is written as letter + four digits, one that starts with a digit
// 1..9 as five digits with leading zeros. `redraw`: the list being edited is drawn again.
// Always true.
bool DAJ_TMP(ui::Context& c, bool redraw);

// The validation of a contractor number typed into KON: DAJ_TMP, then the number must
// belong to no other contractor ("Kontrahent o takim numerze już istnieje !").
bool UNIK_KON(ui::Context& c);

}  // namespace master
