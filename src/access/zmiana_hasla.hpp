// src/access/zmiana_hasla.hpp — ZMIANA_HASLA, the operator's change of his own password.
//
//   Z1  the operator's record is the one whose KOD is _OPERATOR; without one the screen
//       says so and nothing changes;
//   Z2  "Podaj dotychczasowe hasło operatora : " blind; Esc leaves; a password that differs
//       from the stored one shows "Niewłaściwe hasło !", closes all tables, clears the
//       screen, releases the station's flag file and ends the program;
//   Z3  "Podaj nowe hasło : " blind, asked again while it is empty or already some
//       operator's password ("Błąd CRC. Wprowadź inne haslo."); Esc leaves unchanged;
//   Z4  the new password is stored scrambled, and the record's stamp renewed, under its
//       record lock.
#pragma once

#include "access/access_seams.hpp"
#include "ui/context.hpp"

namespace operators {

void ZMIANA_HASLA(ui::Context& c, const AccessSeams& seams);

}  // namespace operators
