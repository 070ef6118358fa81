// src/access/operator.hpp — OPERATOR, the login by password, and DAJOPE, which shows who is
// logged in.
//
// The login asks only for the password, in a box from (10, 35) to (12, 44) in "N/W" showing
// "******" from column 37, at most three times:
//   L1  each key is awaited at most ten seconds; when none comes the screen is cleared and
//       the program ends (AccessSeams::endProgram with _NR_OPE as its code);
//   L2  Esc fails the login at once; Enter ends the entry; Backspace takes back the last
//       character; any other character is taken in upper case, shown as nothing but the
//       cursor moving right; characters after the sixth are ignored until Enter;
//   L3  one of the two service codes of the day logs in the service operator "(C)", priority
//       10, flags "!", desk "01";
//   L4  otherwise the scrambled entry is sought in SL_OPE by SL_OPE_H: a record found whose
//       stamp does not verify shows the tamper notice and fails the login with no further
//       attempt; one that verifies sets the login values;
//   L5  not found: a 200 Hz tone, "Złe hasło operatora ! (n)" for two seconds, the next
//       attempt; after the third the login fails. _NR_OPE is 0 after every failure.
#pragma once

#include "access/access_seams.hpp"
#include "db/work_area.hpp"
#include "ui/context.hpp"

namespace operators {

bool OPERATOR(ui::Context& c, const AccessSeams& seams);

// The first three characters of _OPERATOR at row 0, column 76.
void DAJOPE(ui::Context& c);

// _OPERATOR, _NR_OPE, _PRIORYTET, _NAZWISKO, _BIERNY, _KASA_OPE and _UDOCEZAK from the current
// record of the operators table.
void setLoginValues(ui::Context& c, db::WorkArea& operators);

}  // namespace operators
