// src/ui/adjusttab.hpp — ADJUSTTAB: a value written as the text of an expression that gives
// the value back ({1,"a",.t.}); ZAPISZTAB stores it in a file and CZYTAJTAB reads it again.
#pragma once

#include <string>

#include "rt/value.hpp"

namespace ui {

// Lists:    "{" + the items joined with "," + "}", nested lists likewise.
// Numbers:  STR() of the number without blanks ("12", "1.50", "-3").
// Text:     in double quotes; text holding a double quote goes in single quotes or brackets,
//           and text that no delimiter can hold, or with control characters, is joined from
//           quoted pieces and CHR(n) with "+", so that any text reads back byte for byte.
// Dates:    STOD("YYYYMMDD"), which reads back as the same date whatever the date layout and
//           epoch (a two-digit year would move 1949 to 2049).
// Logicals: ".t." or ".f.".
// NIL, code blocks and a list that contains itself are written as NIL: no expression text
// can give them back.
std::string ADJUSTTAB(const rt::Value& value);

}  // namespace ui
