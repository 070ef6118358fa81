// src/con/box.cpp — drawing a frame string around a rectangle.
#include "con/box.hpp"

#include <string>

namespace con {

void drawBox(Screen& screen, Rect box, std::string_view frame, Attr attr) {
  if (box.empty()) return;
  if (frame.empty()) return screen.fill(box, ' ', attr);
  std::string f(frame.substr(0, 9));
  if (f.size() < 8) f.append(8 - f.size(), f.back());
  auto ch = [&](int position) { return static_cast<std::uint8_t>(f[static_cast<std::size_t>(position - 1)]); };
  const auto [t, l, b, r] = box;
  if (t == b) return screen.fill(box, ch(2), attr);
  if (l == r) return screen.fill(box, ch(4), attr);
  if (f.size() == 9 && b - t >= 2 && r - l >= 2) screen.fill({t + 1, l + 1, b - 1, r - 1}, ch(9), attr);
  screen.fill({t, l + 1, t, r - 1}, ch(2), attr);
  screen.fill({b, l + 1, b, r - 1}, ch(6), attr);
  screen.fill({t + 1, l, b - 1, l}, ch(8), attr);
  screen.fill({t + 1, r, b - 1, r}, ch(4), attr);
  screen.put(t, l, ch(1), attr);
  screen.put(t, r, ch(3), attr);
  screen.put(b, r, ch(5), attr);
  screen.put(b, l, ch(7), attr);
}

}  // namespace con
