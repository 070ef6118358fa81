// src/ui/browse/classedit.cpp — building and running an engine.
#include "ui/browse/classedit.hpp"

#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "ui/browse/edit_table.hpp"
#include "ui/browse/host.hpp"
#include "ui/qke.hpp"

namespace ui::browse {

using rt::literals::operator""_pl;

std::shared_ptr<Engine> CLASSEDIT(Context& c, db::WorkArea& area, Options options) {
  std::string key = options.screenKey;
  if (!key.empty() && key.front() == 'i') {
    options.starTitle = true;
    key.erase(0, 1);
  }
  options.screenKey = key;
  std::vector<std::string> layouts{options.tableLayout};
  if (options.cardLayout) layouts.push_back(*options.cardLayout);
  const auto records = readLayouts(c, key, layouts);
  if (!records) {
    QKE(c, "ZŁY EDIT Baza: "_pl + key);
    return nullptr;
  }
  db::Workspace::Selection sel(area.workspace(), area.number());
  std::vector<Column> table, card;
  for (const EditRecord& r : (*records)[0]) table.push_back(buildColumn(c.rt, r));
  if (records->size() > 1)
    for (const EditRecord& r : (*records)[1]) card.push_back(buildColumn(c.rt, r));
  return std::make_shared<Engine>(c, area, std::move(options), std::move(table), std::move(card));
}

Outcome DOEDIT(Context& c, Engine& engine, int commentLines) {
  Host& host = hostOf(c);
  host.running.push_back(&engine);
  struct Pop {
    Host& h;
    ~Pop() { h.running.pop_back(); }
  } pop{host};
  return engine.run(commentLines);
}

}  // namespace ui::browse
