// src/store/goods_code/zmiana.hpp — ZMIANA, the conversion of a whole installation to
// five-character goods codes: every goods code of the installation's tables widened
// (goods_code.hpp), a log of what was found, the configured goods-code picture set to
// "99999" and every index rebuilt. Start-up runs it without asking when the configured
// picture lacks "99999"; run by hand it asks "Kontynuacja ?" and the special password first.
//
// Steps, in order:
//   Z1  the screen is cleared and the title shown on row 0.
//   Z2  the log table _SC + "DBF" (FILE C12, FIELD C10, WIDTH N3, CONTENT C30) is made anew
//       in the station folder, opened exclusively (waiting, no cancel) and gets the record
//       "START " + the time.
//   Z3  each table of kGoodsCodeTables in turn, named on row 24: a missing table, or a
//       missing memo file of a table that has one (by the list or by its header), is
//       reported with a 220 Hz tone and passed over; a table that cannot be opened
//       exclusively (the operator gave up waiting, or the file is damaged) is passed over
//       without a word.
//   Z4  in a table opened, one pass widening every code, then one log record per
//       goods-code field (table, field, width, the first non-empty value before the
//       change); row 24 shows the field and the records still to go. The program-folder
//       index files of the table are deleted before its first record changes: a run killed
//       before Z6 has rebuilt them leaves no index that disagrees with its table.
//   Z5  after the last table the record "KONIEC " + the time; every table is closed, the
//       wait box closed, _FORMAT_IND set to "99999".
//   Z6  every index rebuilt (the routine INDEX with its defaults).
//   Z7  CONFIG, opened exclusively (waiting, no cancel), gets FORMAT_IND "99999", also when
//       tables were passed over, so that start-up does not run the conversion again. It is
//       written only after Z6: a run killed before then, or broken off by a fault, leaves
//       FORMAT_IND as it was, so the next start runs it again (the codes already widened
//       stay as they are, goods_code.hpp G3) and rebuilds the indexes deleted in Z4.
//   Z8  an 880 Hz tone and the message "KONIEC".
// Run by hand (automatic false) and declined, or without the password: only Z5 (without
// the log), Z6 and Z8; CONFIG is left alone.
#pragma once

#include <array>
#include <string_view>

#include "store/tables.hpp"

namespace store {

struct GoodsCodeTable {
  std::string_view name;
  bool memo;  // its memo file must be beside it
};

// The tables converted, in order.
extern const std::array<GoodsCodeTable, 33> kGoodsCodeTables;

// REQUIRES: the routine INDEX is registered for Z7 (without it the indexes are not rebuilt).
// The special password is asked through the routine HA with _HASLO at level 0; without HA,
// through the table store's service-password seam.
void ZMIANA(Tables& t, bool automatic = true);

}  // namespace store
