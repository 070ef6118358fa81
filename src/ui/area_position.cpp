// src/ui/area_position.cpp — position keeping and key comparison for the field checks.
#include "ui/area_position.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "db/workspace.hpp"

namespace ui {
namespace {

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return out;
}

// "dane/TOW_IND.ntx" -> "TOW_IND"
std::string baseName(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (const auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
  return upper(name);
}

}  // namespace

void AreaPosition::restore() {
  area_.setOrder(order_);
  area_.goTo(recno_);
}

int orderNumberOf(db::WorkArea& area, const rt::Value& order) {
  const int count = static_cast<int>(area.orderCount());
  if (order.isNumber()) {
    const double n = order.num();
    return n >= 1 && n <= count && n == std::floor(n) ? static_cast<int>(n) : 0;
  }
  if (!order.isText()) return 0;
  std::string wanted = upper(order.text());
  wanted.erase(wanted.find_last_not_of(' ') + 1);
  for (int i = 1; i <= count; ++i)
    if (baseName(area.order(static_cast<std::size_t>(i))->path()) == wanted) return i;
  return 0;
}

bool keyIs(db::WorkArea& area, const rt::Value& value) {
  db::Order* o = area.controllingOrder();
  if (o == nullptr || area.eof()) return false;
  const std::string wanted = o->searchKey(value);
  const std::string have = o->encode(area.workspace().evalIn(area, o->key()));
  return have.compare(0, wanted.size(), wanted) == 0;
}

}  // namespace ui
