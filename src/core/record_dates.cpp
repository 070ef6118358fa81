// src/core/record_dates.cpp — the date rules of record editors.
#include "core/record_dates.hpp"

#include "core/current_record.hpp"
#include "rt/codepage.hpp"
#include "rt/date_text.hpp"
#include "ui/qke.hpp"

namespace core {
namespace {

using rt::literals::operator""_pl;

rt::Date dateOf(const rt::Value& v) { return v.isDate() ? v.date() : rt::Date(); }

rt::Date today(const ui::Context& c) { return c.rt.now().date; }

}  // namespace

bool WE_DATA(ui::Context& c) {
  const rt::Value date = requiredField(c, "DATA");
  const rt::Value type = requiredField(c, "TYP");
  return date.isEmpty() || type.isEmpty();
}

bool WAR_DATA(ui::Context& c) {
  const rt::Date date = dateOf(requiredField(c, "DATA"));
  const rt::Date now = today(c);
  if (!date.empty() && date.julianDay() < now.julianDay() - 7) {
    const rt::Date firstFree(now.julianDay() - 8);
    ui::QKE(c, "Dozwolone daty po "_pl + rt::dtoc(firstFree, c.rt.settings()));
  }
  return true;
}

bool DATA_PROM(ui::Context& c) {
  const rt::Date from = dateOf(requiredField(c, "UPUSTY->DATA_OD"));
  const rt::Date to = dateOf(requiredField(c, "UPUSTY->DATA_DO"));
  const rt::Date now = today(c);
  if (!from.empty() && now < from) return false;
  if (!to.empty() && now > to) return false;
  return true;
}

}  // namespace core
