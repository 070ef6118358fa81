// src/core/info.hpp — INFO: the explanation of the payment-term column of goods, written on
// row 23 until a key is pressed.
#pragma once

#include "ui/context.hpp"

namespace core {

void INFO(ui::Context& c);

}  // namespace core
