// src/master/kon_info.hpp — KON_INFO, the contractor information window of Alt+K, and the
// contractor's invoices inside it (SPR_INFO, with the lines of one invoice, POZ_INFO).
//
// KON_INFO opens over whatever screen is shown (rows 1 to 23, columns 1 to 78, all put back
// afterwards) on the contractor of the current record when the current table has NR_KON,
// else on a blank number, which is read with the contractor lookup (Esc closes the window).
// The upper box shows the contractor: group, name, address, phone and e-mail, balances and
// turnover, loyalty points, credit, payment days, limit, discount, remarks, owner and
// contact person (amounts in the money picture _FORMAT_WAR); the lower box the notes from
// KON_TXT, read-only. Keys until Esc: Enter the contact history (HCRM), Space the invoices
// (SPR_INFO), PgDn (when the notes table could be opened) edits the notes: Ctrl+W stores
// them into the contractor's note record (found or appended, and locked, waiting behind
// the notice that Esc gives up), Esc drops the changes. Alt+K and Alt+I do nothing while
// the window is open.
//
// SPR_INFO copies the contractor's invoice headers from SPR_N into the work table SPR_INFO
// of the station folder, ordered by date, and lists them (screen "SPR_N", layout "V1");
// without invoices it says "Brak faktur tego odbiorcy !" and makes nothing. The work files
// are deleted on every way out. In the list Space shows the lines of the invoice under the
// cursor (POZ_INFO, screen "POZ_FAK", layout "V3"), unless its warehouse is "000" (a
// document without lines).
#pragma once

#include <string>

#include "ui/context.hpp"

namespace master {

// REQUIRES: c.workspace and c.tables are set.
void KON_INFO(ui::Context& c);
void SPR_INFO(ui::Context& c, const std::string& number, int top, int bottom);
void POZ_INFO(ui::Context& c);

}  // namespace master
