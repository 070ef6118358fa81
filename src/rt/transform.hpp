// src/rt/transform.hpp — pictures: the parsed form of a picture string and TRANSFORM(), the
// text of a value under a picture. The field editor reads the same Picture.
// A picture is an optional function part — "@" and letters, ended by the first blank or tab —
// and an optional template after that one separator. "@E99,999.99" is all function letters.
// Rules of the output:
//   P1  character values: template positions 9 # A N X L copy the value's character, ! copies
//       it upper-cased, Y gives "Y" for t/T/y/Y and "N" otherwise. Any other template
//       character is a literal: it replaces the value's character at that place, or with
//       the function R is inserted. Without R the text ends when template or value runs out;
//       with R it is exactly as long as the template.
//   P2  numeric values: 9 # $ * are digit positions, the first "." the decimal point; the
//       value is rounded like STR() to that many places. A number that does not fit shows
//       "*" in every digit position. A "," shows as a separator after a digit only; elsewhere
//       it repeats the fill before it, and a minus just before it moves next to the digits.
//       A template without digit positions shows the number as STR() does.
//   P3  dates ignore the template and use the date layout (E: day/month/year); logicals give
//       T/F (template L or #) or Y/N (template Y); without R only the first position counts.
//   P4  Z blanks the text of a number that is zero and of the empty date, and nothing else,
//       so a picture can never hide a non-empty value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rt/settings.hpp"
#include "rt/value.hpp"

namespace rt {

struct Picture {
  bool upper = false;           // @!  upper-case character values
  bool leftJustify = false;     // @B  leading blanks moved to the end
  bool credit = false;          // @C  " CR" after positive numbers
  bool debit = false;           // @X  negative numbers without minus, " DB" after them
  bool parentheses = false;     // @(  negative numbers in parentheses
  bool zeroBlank = false;       // @Z  zero shown as blanks
  bool european = false;        // @E  decimal comma, thousands dot; dates day/month/year
  bool insertLiterals = false;  // @R  template literals inserted into character values
  bool dateLayout = false;      // @D  dates in the date layout (the default anyway)
  bool clearOnType = false;     // @K  field editor: the first key typed clears the field
  int scrollWidth = 0;          // @S<n>: character text cut to n; 0 = none
  std::string tmpl;             // the template part

  bool operator==(const Picture&) const = default;
};

Picture parsePicture(std::string_view picture);

// The text of `v` under the picture; nullopt for NIL, arrays and code blocks.
std::optional<std::string> transform(const Value& v, const Picture& p, const Settings& s);
std::optional<std::string> transform(const Value& v, std::string_view picture, const Settings& s);
// The text of the character value `value` under `p` into `out` (its previous contents
// dropped, its storage kept): what transform() gives for that value, without building one.
void transformText(std::string_view value, const Picture& p, std::string& out);

}  // namespace rt
