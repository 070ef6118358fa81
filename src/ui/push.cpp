// src/ui/push.cpp — the title stack.
#include "ui/push.hpp"

namespace ui {

void PUSH(Context& c, std::string_view title, rt::Value value) {
  c.titles.push_back(Title{std::string(title), std::move(value)});
}

}  // namespace ui
