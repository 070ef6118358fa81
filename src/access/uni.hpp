// src/access/uni.hpp — UNI, the service command: any operation of the program run by name,
// and SERWISERROR, its own error handler.
//
//   U1  only after HA accepts the configuration password _HASLO (or the service code);
//   U2  all tables are closed; a 25-character upper-case entry on row 1 takes the name;
//       Esc or an empty entry does nothing; "()" is added when the text does not end
//       with ")";
//   U3  the call runs on a screen cleared from row 1, with SERWISERROR in place of the
//       program's error handler; "KONIEC" is shown when it returns;
//   U4  afterwards all tables are closed and the previous error handler is back, also
//       when the call failed.
#pragma once

#include <optional>

#include "access/access_seams.hpp"
#include "rt/error.hpp"
#include "rt/runtime.hpp"
#include "ui/context.hpp"

namespace operators {

void UNI(ui::Context& c, const AccessSeams& seams);

// Shows the error in a message box and breaks the service call off.
std::optional<rt::Value> SERWISERROR(ui::Context& c, rt::Error& e);

}  // namespace operators
