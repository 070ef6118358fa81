// src/ui/table_seams.cpp — the table store's dialogs through the screen framework.
#include "ui/table_seams.hpp"

#include "ui/qke.hpp"
#include "ui/qtn.hpp"

namespace ui {

void connectTables(Context& c, store::Tables& t) {
  c.tables = &t;
  t.seams.errorDialog = [&c](std::string_view text) { QKE(c, text); };
  t.seams.confirm = [&c](std::string_view question) { return QTN(c, question); };
}

}  // namespace ui
