// src/app/first_run.hpp — the first run of a representative's copy: a copy whose CONFIG has
// no account yet (KONTO_PH blank) asks once for the representative's number and makes the
// copy that representative's.
//
// With the number n (1..99, asked as two digits, blank while zero, refused while zero):
//   CONFIG   KONTO_PH = n as five digits ("00003"), ARCH_1 = "arj a ARC_PHnn.ARJ *.db? *.mem
//            lzap.exe", ARCH_2 = "dir ARC_PHnn.ARJ";
//   SL_KONT  the account is added when missing (OPIS_KONTA "PH nn", MAIL the representative's
//            address) and made active (AKTYWNY "T"). A SL_KONT that cannot be opened is
//            left as it is.
// Esc at the question ends the program.
#pragma once

#include <string>

#include "app/station.hpp"

namespace app {

// The representative's mail address made at the first run ("handel-ph03@zelmoran.pl").
std::string representativeMail(int number);

// True when the question was asked and answered: a full index rebuild is then due. False
// when the copy already has its account or CONFIG cannot be had exclusively.
bool firstRunOfRepresentative(Station& st);

}  // namespace app
