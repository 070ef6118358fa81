// src/ui/qtn.hpp — the yes/no questions: "T" (tak) is yes, "N" (nie) is no; there is no
// default answer and no other key, Esc and Enter included, ends the question.
#pragma once

#include <string_view>

#include "ui/context.hpp"

namespace ui {

// " question (T/N) " in a box on the middle row, colour "N/W". True for T or t.
bool QTN(Context& c, std::string_view question);

// Two centred lines on rows 11 and 12 of a box spanning rows 10 to 13.
bool QTN_2W(Context& c, std::string_view firstLine, std::string_view question);

}  // namespace ui
