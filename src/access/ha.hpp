// src/access/ha.hpp — HA, the prompt for a special password.
//
//   H1  shown: a box from (20, 35) to (22, 44), three columns wider above level 0, in
//       _EKRA_BLO; the level in two digits at (21, 44) above level 0; a six-character entry
//       at (21, 37) in "N/N,W/W", so the typed text cannot be read;
//   H2  silent: an 800 Hz tone, a wait of one second; "/" or a digit then opens an
//       invisible entry at (24, 74) starting with that key, anything else types nothing;
//   H3  accepted: the entry (upper case, six long) equals `expected`, or for level 0 the
//       first service code of the day, above level 0 the second; acceptance at a level
//       other than 0 and 2 goes to the activity log; refused: " Złe hasło ! " unless
//       silent. The screen, colour and cursor are put back.
#pragma once

#include <string_view>

#include "access/access_seams.hpp"
#include "ui/context.hpp"

namespace operators {

bool HA(ui::Context& c, const AccessSeams& seams, std::string_view expected, bool silent, int level);

}  // namespace operators
