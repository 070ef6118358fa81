// src/master/pupu.hpp — PUPU, "PRZEGLĄDANIE TABELI UPUSTÓW DLA ODBIORCÓW": the discounts
// and fixed prices of one contractor, of all contractors ("00000"), or of everyone.
//
// Row 1 reads "Nr odbiorcy :" (five digits): empty for everyone, "00000" for the rows valid
// for all contractors, or a contractor of KON (the contractor lookup on F8; a number that
// is not there is refused). A contractor's name is shown beside the number.
//   * one contractor or "00000": row 23 recalls that line discounts add to the invoice's
//     general discount, and the contractor's rows are listed read-only (screen "UPUSTY",
//     layout "V2", rows 2 to 22), each labelled with the goods group's description for a
//     row without goods, else with the goods index, name and description; printing copies
//     the rows, behind the wait box, to the work table UPUSTY_R of the station folder and
//     prints layout "V1" as report 1 under "UPUSTY DLA ODBIORCY : " + number + " -  " +
//     name (the work table is deleted afterwards);
//   * everyone: the whole table in the order contractor + group + goods + supplier, layout
//     "V1", each row labelled with the contractor's number, name and town; printed with
//     layout "V2" under "UPUSTY DLA ODBIORCÓW".
// The rows are related to the goods (TOW, by the index in key form) and to the goods
// groups (SL_G_TOW); every table is opened read-only but the discounts, which are shared.
#pragma once

#include "ui/context.hpp"

namespace master {

// REQUIRES: c.workspace and c.tables are set.
void PUPU(ui::Context& c);

}  // namespace master
