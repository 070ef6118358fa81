// src/print/druk_pli.cpp — the stored printouts.
#include "print/druk_pli.hpp"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <span>
#include <vector>

#include "con/key_codes.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "print/filebrowse.hpp"
#include "print/send.hpp"
#include "rt/codepage.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/menu/horizmenu.hpp"
#include "ui/modal_box.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"
#include "ui/qtn.hpp"
#include "xbase/dbf_file.hpp"

namespace print {
namespace {

using rt::literals::operator""_pl;

constexpr int kMenuRow = 24;
constexpr int kAltF7 = con::key::function(7, con::key::Mod::Alt);

struct Stored {
  std::string name;  // without ".PRN"
  sys::DirEntry entry;
};

bool workingFile(std::string_view upperName) {
  return upperName == "STOP.PRN" || upperName == "NAG.PRN" || upperName == "DOD.PRN";
}

std::vector<Stored> storedFiles(ui::Context& c) {
  std::vector<Stored> files;
  auto listed = c.workspace->env().list(stationFile(c, ""));
  if (!listed) return files;
  for (const sys::DirEntry& e : *listed) {
    const std::string upper = rt::upperCp852(e.name);
    if (e.isDir || upper.size() < 5 || upper.substr(upper.size() - 4) != ".PRN" || workingFile(upper)) continue;
    files.push_back({e.name.substr(0, e.name.size() - 4), e});
  }
  return files;
}

void removePliki(ui::Context& c) {
  for (const char* f : {"PLIKI.DBF", "PLIKI_N.NTX", "PLIKI_D.NTX"}) (void)c.workspace->env().remove(stationFile(c, f));
}

// Step 2: PLIKI rebuilt and open in a new area, ordered by date and time.
db::WorkArea* buildPliki(ui::Context& c, const std::vector<Stored>& files) {
  sys::Env& env = c.workspace->env();
  removePliki(c);
  auto made = xbase::DbfFile::create(env, c.workspace->clock(), stationFile(c, "PLIKI.DBF"),
                                     {{"NAZWA", 'C', 8}, {"DATA", 'D', 8}, {"CZAS", 'C', 8}, {"ROZMIAR", 'N', 8}});
  if (!made) throw base::IoFault(stationFile(c, "PLIKI.DBF"), made.error().toString());
  for (const Stored& f : files) {
    auto rec = (*made)->blankRecord();
    const std::time_t t = static_cast<std::time_t>(f.entry.modified);
    std::tm local{};
    localtime_r(&t, &local);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    (void)(*made)->setValue(rec, 0, rt::Value::character(f.name.substr(0, 8)));
    (void)(*made)->setValue(rec, 1, rt::Value::date(rt::Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday)));
    (void)(*made)->setValue(rec, 2, rt::Value::character(time));
    (void)(*made)->setValue(rec, 3, rt::Value::number(static_cast<double>(f.entry.size), 8, 0));
    if (auto st = (*made)->appendRecord(rec); !st) throw base::IoFault(stationFile(c, "PLIKI.DBF"), st.error().toString());
  }
  (*made)->close();
  db::UseOptions o;
  o.share = xbase::Share::Exclusive;
  o.newArea = true;
  auto area = c.workspace->use(stationFile(c, "PLIKI.DBF"), o);
  if (!area) throw base::IoFault(stationFile(c, "PLIKI.DBF"), area.error().toString());
  for (const auto& [file, key] : {std::pair{"PLIKI_N.NTX", "NAZWA"}, std::pair{"PLIKI_D.NTX", "dtos(DATA)+CZAS"}})
    if (base::Status st = db::indexOn(**area, stationFile(c, file), db::IndexSpec(key)); !st)
      throw base::IoFault(stationFile(c, file), st.toString());
  (*area)->setOrder(2);
  (*area)->goBottom();
  (*area)->skip(-10);
  return *area;
}

// Step 3: the list; the chosen file's full name, or "" after Esc.
std::string chooseFile(ui::Context& c, db::WorkArea& list) {
  ui::browse::Options o;
  o.table = con::Rect{1, -1, 23, -1};
  o.screenKey = "PLIKI";
  o.tableLayout = "V1";
  o.orders = {{"nazwa", 1}, {"data+czas", 2}};
  o.selectColumn = 1;
  o.keyFilter = c.rt.evaluate("{|k| IIF(k==" + std::to_string(kAltF7) + ",13,k)}");  // DAJ_PLIK
  auto engine = ui::browse::CLASSEDIT(c, list, std::move(o));
  if (!engine) return "";
  const ui::browse::Outcome out = ui::browse::DOEDIT(c, *engine);
  c.con.clearTypeAhead();  // the selection typed the name for a form; none is waiting
  if (out != ui::browse::Outcome::Selected) return "";
  list.goTo(engine->selectedRecno());
  const auto field = list.fieldIndex("NAZWA");
  return stationFile(c, ui::trimmed(list.value(*field).text()) + ".PRN");
}

enum class After { List, Leave };

// Steps 4 and 5 for one file.
After showFile(ui::Context& c, const std::string& file) {
  c.con.clear(con::Rect{1, 0, 24, 79});
  c.con.write(1, 0, "Plik : " + file);
  c.con.write(24, 0, "ALT_F - wyszukiwanie tekstu, ALT_R - kontynuacja");
  FILEBROWSE(c, file, con::Rect{2, 0, 23, 79});
  for (;;) {
    c.con.clearRow(kMenuRow, 0);
    const int choice =
        ui::HORIZMENU(c, kMenuRow, 0, "", {"LPT1", "LPT2", "LPT3", "SKASOWANIE PLIKU", "NASTĘPNY"_pl, "KONIEC"});
    switch (choice) {
      case 1:
      case 2:
      case 3: DRUKUJ_PLIK(c, file, "LPT" + std::to_string(choice)); break;
      case 4:
        if (ui::QTN(c, "Skasowanie pliku "_pl + file + " ?")) (void)c.workspace->env().remove(file);
        return After::List;
      case 5: return After::List;
      default: return After::Leave;
    }
  }
}

}  // namespace

bool DRUKUJ_PLIK(ui::Context& c, const std::string& file, std::string_view port) {
  auto f = c.workspace->env().open(file, sys::Access::ReadOnly);
  if (!f) return false;
  auto size = (*f)->size();
  if (!size) return false;
  std::string text(*size, '\0');
  auto n = (*f)->readAt(0, std::as_writable_bytes(std::span(text.data(), text.size())));
  if (!n) return false;
  text.resize(std::min<std::size_t>(*n, text.find('\x1A')));
  std::string bytes;
  bytes.reserve(text.size() + 2);
  for (std::size_t at = 0; at < text.size();) {  // each line on a new printer row
    const std::size_t end = text.find("\r\n", at);
    bytes.append(text, at, end == std::string::npos ? std::string::npos : end - at);
    bytes += "\r\n";
    at = end == std::string::npos ? text.size() : end + 2;
  }
  auto p = openPort(stationPorts(c), port, file);
  return sendToPort(c, p.get(), port, bytes) == Sent::Printed;
}

void DRUK_PLI(ui::Context& c) {
  ui::Operation op(c, "█▓▓▒▒░░  PRZEGLĄDANIE I WYDRUK ZAPAMIĘTANYCH PLIKÓW ░░▒▒▓▓█"_pl);
  struct Cleanup {
    ui::Context& c;
    ~Cleanup() { removePliki(c); }
  } cleanup{c};
  for (;;) {
    const std::vector<Stored> files = storedFiles(c);
    if (files.empty()) {
      ui::QKE(c, "Brak zapamiętanych plików !"_pl);
      return;
    }
    db::WorkArea* list = buildPliki(c, files);
    const std::string file = chooseFile(c, *list);
    c.workspace->close(list->number());
    if (file.empty() || showFile(c, file) == After::Leave) return;
  }
}

}  // namespace print
