// src/core/s_i.hpp — S_I, S_C, S_W, S_S: a value shown with the installation's display
// picture of a goods code, a price, a value and a quantity (_FORMAT_IND, _FORMAT_CEN,
// _FORMAT_WAR, _FORMAT_ILO). A goods code in key form is S_I of the code: every seek in the
// goods table uses it.
#pragma once

#include <string>

#include "rt/function_table.hpp"
#include "rt/runtime.hpp"

namespace core {

// REQUIRES: the value is character, memo, numeric, date or logical (checked).
std::string S_I(const rt::Runtime& rt, const rt::Value& value);
std::string S_C(const rt::Runtime& rt, const rt::Value& value);
std::string S_W(const rt::Runtime& rt, const rt::Value& value);
std::string S_S(const rt::Runtime& rt, const rt::Value& value);

// S_I of character values as a text form (rt::TextForm): the goods-code picture is read and
// parsed once, and the map gives what S_I gives for each text under that picture.
rt::TextMap goodsCodeTextMap(const rt::Runtime& rt);

}  // namespace core
