// src/print/drukuj.cpp — DRUKUJ: the settings form, its row-24 menu, the print file and the
// sending.
#include "print/drukuj.hpp"

#include <cmath>
#include <optional>
#include <span>

#include "print/nr_wydruku.hpp"
#include "print/plik.hpp"
#include "print/print_scope.hpp"
#include "print/settings.hpp"
#include "rt/codepage.hpp"
#include "ui/form/read_form.hpp"
#include "ui/menu/horizmenu.hpp"
#include "ui/modal_box.hpp"
#include "ui/qke.hpp"

namespace print {
namespace {

using rt::literals::operator""_pl;

constexpr int kMenuRow = 24, kLabelCol = 4;
constexpr int kLastPage = 999;

// The form's values, as the fields edit them.
struct FormValues {
  rt::Value density, frames, feed, top, left, length, orientation, underlines, continuous, reset, extra, mode, from,
      to, port, firstPage, lastPage, save;

  static rt::Value text(const std::string& s, std::size_t width) {
    std::string t = s.substr(0, std::min(s.size(), width));
    t.resize(width, ' ');
    return rt::Value::character(t);
  }
  static rt::Value flag(bool b) { return rt::Value::character(b ? "T" : "N"); }

  FormValues(const Settings& s, int first, int last)
      : density(rt::Value::number(s.density, 1, 0)),
        frames(rt::Value::number(s.frames, 1, 0)),
        feed(rt::Value::number(s.feedAtEnd, 2, 0)),
        top(rt::Value::number(s.topMargin, 2, 0)),
        left(rt::Value::number(s.leftMargin, 3, 0)),
        length(rt::Value::number(s.pageLength, 3, 0)),
        orientation(text(s.orientation, 1)),
        underlines(flag(s.underlines)),
        continuous(flag(s.continuous)),
        reset(flag(s.reset)),
        extra(text(s.extraCodes, 30)),
        mode(text(s.mode, 5)),
        from(text(s.from, 3)),
        to(text(s.to, 3)),
        port(text(s.port, 30)),
        firstPage(rt::Value::number(first, 3, 0)),
        lastPage(rt::Value::number(last, 3, 0)),
        save(flag(false)) {}

  Settings settings(Settings s) const {
    const auto n = [](const rt::Value& v) { return static_cast<int>(std::lround(v.num())); };
    s.density = n(density);
    s.frames = n(frames);
    s.feedAtEnd = n(feed);
    s.topMargin = n(top);
    s.leftMargin = n(left);
    s.pageLength = n(length);
    s.orientation = ui::trimmed(orientation.text());
    s.underlines = underlines.text() == "T";
    s.continuous = continuous.text() == "T";
    s.reset = reset.text() == "T";
    s.extraCodes = ui::trimmed(extra.text());
    s.mode = ui::trimmed(mode.text());
    s.from = ui::trimmed(from.text());
    s.to = ui::trimmed(to.text());
    s.port = ui::trimmed(port.text());
    return s;
  }
};

bool oneOf(const rt::Value& v, std::initializer_list<std::string_view> choices) {
  const std::string t = ui::trimmed(v.text());
  for (std::string_view c : choices)
    if (t == c) return true;
  return false;
}

bool between(const rt::Value& v, double low, double high) { return v.num() >= low && v.num() <= high; }

struct Label {
  int row;
  const char* text;
};

constexpr Label kLabels[] = {
    {3, "Gęstość druku (1..4) :"},
    {4, "Typ ramek (0 - proste, 1 - pełne):"},
    {5, "Ilość linii wysuwanych na końcu wydruku (0-wysuń stronę):"},
    {6, "Górny margines :"},
    {7, "Lewy  margines :"},
    {8, "Długość strony :"},
    {9, "Orientacja strony (P-Portret, E-pEjzaż):"},
    {10, "Podkreślenia   :"},
    {11, "Wydruk ciągły ?"},
    {12, "Kasowanie drukarki przed wydrukiem ?"},
    {13, "Dodatkowe kody drukarki :"},
    {14, "Tryb drukarki : "},
    {15, "Konwersja :"},
    {16, "Port/Plik:"},
    {17, "  Wydruk od strony"},
};

int fieldCol(int row) {
  for (const Label& l : kLabels)
    if (l.row == row) return kLabelCol + ui::width(rt::cp852FromUtf8(l.text)) + 1;
  return kLabelCol;
}

void drawLabels(ui::Context& c) {
  ui::drawFrame(c.con, con::Rect{2, 2, 20, 77}, c.con.colour());
  for (const Label& l : kLabels) c.con.write(l.row, kLabelCol, rt::cp852FromUtf8(l.text));
  c.con.write(9, fieldCol(9) + 2, "( HPPCL, WIN.. )");
  c.con.write(14, fieldCol(14) + 6, "ESC/P,IBM lub HPPCL");
  c.con.write(15, fieldCol(15) + 4, "->");
  c.con.write(15, fieldCol(15) + 11, "(MAZ,LAT,ISO,WIN,STD,spacje)");
  c.con.write(16, fieldCol(16) + 31, "LPTn,PDF,WIN,\\\\..\\.");
  c.con.write(17, fieldCol(17) + 5, "do strony");
}

// The fields of the form over `v`; `decided` receives PLIK's answer for the port.
std::vector<ui::Get> fields(ui::Context& c, FormValues& v, std::optional<Plik>& decided) {
  std::vector<ui::Get> g;
  const auto add = [&](int row, int col, rt::Value& value, std::string picture, ui::Condition valid) {
    ui::Get get = ui::getOn(row, col, value, std::move(picture));
    get.valid = std::move(valid);
    g.push_back(std::move(get));
  };
  add(3, fieldCol(3), v.density, "9", [&v](ui::Context&) { return between(v.density, 1, 4); });
  add(4, fieldCol(4), v.frames, "9", [&v](ui::Context&) { return between(v.frames, 0, 1); });
  add(5, fieldCol(5), v.feed, "99", [&v](ui::Context&) { return v.feed.num() >= 0; });
  add(6, fieldCol(6), v.top, "99", [&v](ui::Context&) { return v.top.num() >= 0; });
  add(7, fieldCol(7), v.left, "999", [&v](ui::Context&) { return v.left.num() >= 0; });
  add(8, fieldCol(8), v.length, "999", [&v](ui::Context&) { return v.length.num() >= 0; });
  add(9, fieldCol(9), v.orientation, "@!", [&v](ui::Context&) { return oneOf(v.orientation, {"", "P", "E"}); });
  add(10, fieldCol(10), v.underlines, "@!", [&v](ui::Context&) { return oneOf(v.underlines, {"T", "N"}); });
  add(11, fieldCol(11), v.continuous, "@!", [&v](ui::Context&) { return oneOf(v.continuous, {"T", "N"}); });
  add(12, fieldCol(12), v.reset, "@!", [&v](ui::Context&) { return oneOf(v.reset, {"T", "N"}); });
  add(13, fieldCol(13), v.extra, "", [&v](ui::Context&) { return parseCodes(v.extra.text()).has_value(); });
  add(14, fieldCol(14), v.mode, "@!", [&v](ui::Context&) { return oneOf(v.mode, {"ESC/P", "IBM", "HPPCL"}); });
  add(15, fieldCol(15), v.from, "@!", [&v](ui::Context&) { return oneOf(v.from, {"", "MAZ", "LAT"}); });
  add(15, fieldCol(15) + 7, v.to, "@!",
      [&v](ui::Context&) { return oneOf(v.to, {"", "MAZ", "LAT", "STD", "ISO", "WIN"}); });
  add(16, fieldCol(16), v.port, "@!", [&v, &decided](ui::Context& cc) {
    decided = PLIK(cc, v.port.text());
    return decided.has_value();
  });
  add(17, fieldCol(17), v.firstPage, "999", [&v](ui::Context&) { return between(v.firstPage, 1, kLastPage); });
  add(17, fieldCol(17) + 15, v.lastPage, "999",
      [&v](ui::Context&) { return between(v.lastPage, v.firstPage.num(), kLastPage); });
  const std::string question = "Zapamiętać powyższe ustawienie ?"_pl;
  c.con.write(19, kLabelCol, question);
  add(19, kLabelCol + ui::width(question) + 1, v.save, "@!", [&v](ui::Context&) { return oneOf(v.save, {"T", "N"}); });
  return g;
}

void showValues(ui::Context& c, std::vector<ui::Get>& g) {
  for (ui::Get& get : g) {
    std::string shown = printedText(c.rt, get.var.get());
    c.con.write(get.row, get.col, shown, con::Slot::Unselected);
  }
}

struct Dialog {
  Settings settings;
  int firstPage = 1, lastPage = kLastPage;
  std::optional<Plik> decided;  // PLIK's answer for the port as it stands
};

void editSettings(ui::Context& c, int report, Dialog& d) {
  FormValues v(d.settings, d.firstPage, d.lastPage);
  std::optional<Plik> decided = d.decided;
  std::vector<ui::Get> g = fields(c, v, decided);
  if (!ui::readForm(c, g).saved()) return;
  d.settings = v.settings(d.settings);
  d.firstPage = static_cast<int>(v.firstPage.num());
  d.lastPage = static_cast<int>(v.lastPage.num());
  d.decided = decided;
  if (v.save.text() == "T" && !saveSettings(c, report, d.settings))
    ui::QKE(c, "Nie zapisano ustawień drukarki !"_pl);
}

PageSetup pageSetup(const Settings& s, const Dialog& d, const Destination& dest) {
  PageSetup p;
  const bool library = throughPageLibrary(dest.kind);
  p.dialect = library ? Dialect::PageLibrary : dest.kind == Kind::WindowsFile ? Dialect::None : dialectOfMode(s.mode);
  const bool landscape = s.orientation == "E";
  p.width = charactersPerInch(s.density) * (landscape ? 11 : 8);
  // The page library prints 66 lines at 6 lines per inch on a portrait A4 sheet.
  constexpr int kLibraryPortrait = 66, kLibraryLandscape = 46;
  const int limit = landscape ? kLibraryLandscape : kLibraryPortrait;
  p.pageLength = library && (s.pageLength == 0 || s.pageLength > limit) ? limit : s.pageLength;
  p.topMargin = std::min(s.topMargin, std::max(p.pageLength - 1, 0));
  p.leftMargin = s.leftMargin;
  p.continuous = s.continuous;
  p.codePage = codePageTable(s.from.empty() ? "LAT" : s.from, s.to);
  p.frames = s.frames;
  p.underlines = s.underlines;
  p.firstPage = d.firstPage;
  p.lastPage = d.lastPage;
  return p;
}

void startCodes(Printer& p, const Settings& s, const PageSetup& setup) {
  const Dialect d = setup.dialect;
  if (d == Dialect::None) return;
  std::string codes;
  if (s.reset && d != Dialect::PageLibrary) codes += resetCode(d);
  if (d != Dialect::PageLibrary) codes += parseCodes(s.codes).value_or("");
  codes += densityCode(d, s.density);
  codes += orientationCode(d, s.orientation == "E");
  codes += parseCodes(s.extraCodes).value_or("");
  p.control(codes);
}

void endCodes(Printer& p, const Settings& s, const PageSetup& setup) {
  if (setup.dialect == Dialect::PageLibrary || setup.dialect == Dialect::None) {
    if (p.pcol() > 0) p.newLine();
    return;
  }
  if (p.pcol() > 0) p.newLine();
  if (s.feedAtEnd == 0) {
    p.control("\f");
  } else {
    p.newLine(s.feedAtEnd);
  }
}

bool needsPrinter(Kind k) { return k == Kind::Port || k == Kind::Share || k == Kind::Windows; }

// Makes the print file; false when it was broken off or could not be written.
enum class Made { Done, Stopped, Failed };
Made makePrintFile(ui::Context& c, const std::string& path, const Settings& s, const PageSetup& setup,
                   const Body& body) {
  auto file = c.workspace->env().open(path, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!file) return Made::Failed;
  std::uint64_t at = 0;
  Printer p(setup, [&](std::string_view bytes) {
    base::Status st = (*file)->writeAt(at, std::as_bytes(std::span(bytes.data(), bytes.size())));
    at += bytes.size();
    return st;
  });
  p.setPrintoutNumber(NR_WYDRUKU(c));
  startCodes(p, s, setup);
  {
    PrintScope scope(c, p);
    body(p);
  }
  if (p.stopRequested()) return Made::Stopped;
  endCodes(p, s, setup);
  if (!p.finish() || !(*file)->sync()) return Made::Failed;
  return Made::Done;
}

PrintResult printNow(ui::Context& c, Dialog& d, std::string_view title, const Body& body) {
  if (!d.decided) d.decided = PLIK(c, d.settings.port);
  if (!d.decided) return {true, false};
  const Plik plik = *d.decided;
  d.decided.reset();  // an existing file is asked about again next time
  Settings s = d.settings;
  adjustSettings(s, plik.destination);
  if (needsPrinter(plik.destination.kind)) {
    ui::QkeOptions o;
    o.esc = ui::Esc::Allowed;
    ui::QKE(c, "Przygotuj drukarkę !"_pl, o);
    if (c.number("_KY") == 27) return {true, false};
  }
  const PageSetup setup = pageSetup(s, d, plik.destination);
  const std::string printFile = stationFile(c, "PFILE_X");
  switch (makePrintFile(c, printFile, s, setup, body)) {
    case Made::Stopped: return {true, true};
    case Made::Failed:
      c.con.tone(220, 3);
      ui::QKE(c, "Błąd zapisu pliku "_pl + printFile + " - wydruk nie został zapisany !"_pl);
      return {true, true};
    case Made::Done: break;
  }
  Sending sending{plik.destination, plik.mode, s.orientation == "E", std::string(title)};
  const Sent sent = sendPrintout(c, printFile, sending);
  return {true, sent != Sent::Printed};
}

}  // namespace

PrintResult DRUKUJ(ui::Context& c, int report, std::string_view title, const Body& body) {
  ui::RoutineScope routine(c, "DRUKUJ");
  const std::string screen = c.con.save();
  const con::Cursor cursor = c.con.cursor();
  Dialog d;
  d.settings = readSettings(c, report);
  PrintResult result;
  for (;;) {
    drawLabels(c);
    FormValues v(d.settings, d.firstPage, d.lastPage);
    std::optional<Plik> unused;
    std::vector<ui::Get> g = fields(c, v, unused);
    showValues(c, g);
    c.con.clearRow(kMenuRow, 0);
    const int choice = ui::HORIZMENU(c, kMenuRow, 0, "", {"WYDRUK", "DRUKARKA", "KONIEC"});
    c.con.clearRow(kMenuRow, 0);
    if (choice == 2) {
      editSettings(c, report, d);
      continue;
    }
    if (choice == 1) result = printNow(c, d, title, body);
    break;
  }
  c.con.restore(con::Rect::whole(), screen);
  c.con.moveCursor(cursor.row, cursor.col);
  c.setPublic("_NIEKONCZ", rt::Value::logical(result.again));
  return result;
}

}  // namespace print
