// src/core/index_menu.cpp — building the menu index of the run.
#include "core/index_menu.hpp"

#include <string>

#include "base/check.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "store/dir_exist.hpp"
#include "store/use.hpp"
#include "ui/break.hpp"

namespace core {
namespace {

// The word as a text literal of the expression language, with delimiters it does not hold.
std::string literal(std::string_view word) {
  if (word.find('"') == std::string_view::npos) return "\"" + std::string(word) + "\"";
  if (word.find('\'') == std::string_view::npos) return "'" + std::string(word) + "'";
  return "[" + std::string(word) + "]";
}

}  // namespace

std::string menuFilter(std::string_view wer) {
  return "PRIORYTET<=_priorytet .AND.(empty(UWAGI).OR." + literal(wer) +
         "$UWAGI) .AND.if(MIEJSCE=\"C\",val(_konto_ph)=0,.T.) .AND.if(MIEJSCE=\"P\",val(_konto_ph)>0,.T.)";
}

void INDEX_MENU(ui::Context& c, std::string_view wer, std::string_view sc, std::string_view scl) {
  ZEL_CHECK(c.workspace != nullptr && c.tables != nullptr);
  db::Workspace& ws = *c.workspace;
  const std::string indexName = store::DIR_EXIST(*c.tables, scl) ? std::string(sc) + "MENU" : std::string("MENU");
  const int previous = ws.selected();
  ws.select(0);
  if (!store::USE_(*c.tables, "MENU", "E!", {}, store::callerAt())) {  // single-user, held elsewhere
    ws.select(previous);
    throw ui::Break();
  }
  db::WorkArea* menu = ws.current();
  const int opened = menu->number();
  base::Status built;
  try {
    built = db::indexOn(*menu, c.tables->indexPath(indexName), db::IndexSpec("OPCJA", menuFilter(wer)));
  } catch (...) {
    ws.close(opened);
    ws.select(previous);
    throw;
  }
  ws.close(opened);
  ws.select(previous);
  if (!built) throw base::IoFault(c.tables->indexPath(indexName), "cannot build the menu index: " + built.toString());
}

}  // namespace core
