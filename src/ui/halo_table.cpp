// src/ui/halo_table.cpp — the main screen's message table.
#include "ui/halo_table.hpp"

#include <functional>

#include "base/fault.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"

namespace ui {
namespace {

constexpr std::string_view kTable = "HALO", kIndex = "HALO";

// Opens HALO with its index in a free area, runs `body` on it, closes it and selects the
// previous area again. nullopt on any failure.
template <typename T>
std::optional<T> withHalo(store::Tables& t, const std::function<std::optional<T>(db::WorkArea&)>& body) {
  const std::string table = t.tablePath(kTable), index = t.indexPath(kIndex);
  if (!t.ws.env().exists(table)) return std::nullopt;
  const int previous = t.ws.selected();
  std::optional<T> result;
  t.ws.select(0);
  const int area = t.ws.selected();
  try {
    if (!t.ws.env().exists(index)) {
      auto a = t.ws.use(table, {"HALO", xbase::Share::Exclusive, false});
      if (a && db::indexOn(**a, index, {"LP"})) t.ws.close(area);
    }
    auto a = t.ws.use(table, {"HALO", xbase::Share::SharedReadOnly, false});
    if (a && (*a)->addOrder(index)) result = body(**a);
  } catch (const base::Fault&) {
    result.reset();  // a broken message table only means no message
  }
  try {
    t.ws.close(area);
  } catch (const base::Fault&) {
  }
  t.ws.select(previous);
  return result;
}

}  // namespace

std::optional<int> HaloTable::groupCount() {
  return withHalo<int>(t_, [](db::WorkArea& a) -> std::optional<int> {
    const auto lp = a.fieldIndex("LP");
    if (!lp || !a.fieldIndex("TEKST")) return std::nullopt;
    a.setOrder(0);
    a.goBottom();
    if (a.eof()) return 0;
    const rt::Value v = a.value(*lp);
    return v.isNumber() ? std::optional<int>(static_cast<int>(v.num())) : std::nullopt;
  });
}

std::optional<std::vector<std::string>> HaloTable::groupLines(int group) {
  using Lines = std::vector<std::string>;
  return withHalo<Lines>(t_, [group](db::WorkArea& a) -> std::optional<Lines> {
    const auto lp = a.fieldIndex("LP"), tekst = a.fieldIndex("TEKST");
    if (!lp || !tekst) return std::nullopt;
    if (!a.seek(rt::Value::number(group, 3, 0), db::SeekMode::Exact)) return std::nullopt;
    Lines lines;
    for (; !a.eof() && a.value(*lp).isNumber() && a.value(*lp).num() == group; a.skip())
      lines.push_back(a.value(*tekst).text());
    return lines;
  });
}

}  // namespace ui
