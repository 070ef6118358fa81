// src/core/upgrade/uzg_wer.hpp — UZG_WER, the structure upgrade: the tables of an older
// installation get the fields this program needs, the structure stamp in STATUS is renewed,
// and a full index rebuild is offered. Start-up and the index rebuild run it whenever
// STATUS holds another stamp than the program's (kStructureStamp).
//
// Each step opens its table shared read-only to test it, shows "Sprawdzanie struktury
// pliku NAME" on row 23, and changes the table only when the test holds, so a second run
// changes nothing but the stamp. A table that cannot be opened ends the upgrade: the steps
// done stay done, the stamp stays old, and the next start tries again. The upgrade replaces
// table files and must run while no other station works.
#pragma once

#include "ui/context.hpp"

namespace core {

// True when the stamp was written.
bool UZG_WER(ui::Context& c);

}  // namespace core
