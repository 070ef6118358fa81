// src/master/ekon.cpp — the contractor dictionary screen.
#include "master/ekon.hpp"

#include "db/work_area.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/seams.hpp"
#include "rt/codepage.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/operation.hpp"

namespace master {
namespace {

using rt::literals::operator""_pl;

ui::browse::Options listOptions(ui::Context& c) {
  ui::browse::Options o;
  o.table = con::Rect{1, 0, 22, con::kCols - 1};
  o.screenKey = "KON";
  o.tableLayout = "V1";
  o.comment = c.rt.evaluate("{|| {' '+NR_KON+'  '+LEFT(NAZWA_KON,40), '"_pl + "Tymczasowe numery firmy poprzedzane są literą "_pl +
                            "'+_CKON+'.'}}");
  o.editAllowed = rt::Value::logical(true);
  o.appendAllowed = rt::Value::logical(true);
  o.deleteAllowed = c.rt.evaluate("{|| KON_TMP(NR_KON)}");
  o.orders = {{"numer", 1}, {"nazwa", 2}, {"NIP", 3}, {"miasto,ulica", 4}};
  o.colours = rt::Value::character("KOLORY()");
  o.lockMode = 1;
  o.restoreScreen = false;
  return o;
}

// A row added in the list but left without a number is no contractor: it goes.
void dropUnnumbered(ui::Context& c, db::WorkArea& kon, std::uint32_t lastBefore) {
  const std::size_t number = fieldAt(c, kon, "NR_KON");
  for (std::uint32_t r = lastBefore + 1; r <= kon.lastRec(); ++r) {
    kon.goTo(r);
    if (kon.deleted() || !trimBoth(kon.value(number).text()).empty()) continue;
    if (!kon.lockRecord()) continue;
    if (const base::Status s = kon.deleteRecord(); !s) throw base::IoFault(kon.table().path(), s.toString());
    kon.commit();
    kon.unlockRecord(r);
  }
}

}  // namespace

void EKON(ui::Context& c) {
  ui::RoutineScope scope(c, "EKON");
  ui::Operation op(c, "SŁOWNIK KONTRAHENTÓW"_pl, ui::TitlePlace::Left);
  db::WorkArea* kon = openTable(c, "KON", "S", {}, catalogueIndexes("KON"));
  if (kon == nullptr) return;
  c.con.write(23, 0, "Tymczasowe numery firmy poprzedzane są literą "_pl + c.text("_CKON") + ".");
  const std::uint32_t lastBefore = kon->lastRec();
  c.setPublic("_ZAZNACZONE", rt::Value::newArray());
  if (auto engine = ui::browse::CLASSEDIT(c, *kon, listOptions(c))) ui::browse::DOEDIT(c, *engine);
  dropUnnumbered(c, *kon, lastBefore);
  printMarked(c, *kon, "KON", "VR", 2, "SŁOWNIK KONTRAHENTÓW"_pl);
}

}  // namespace master
