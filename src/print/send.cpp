// src/print/send.cpp — the print file to its destination.
#include "print/send.hpp"

#include <cstdio>
#include <span>
#include <vector>

#include "con/key_codes.hpp"
#include "print/page/page_script.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "ui/modal_box.hpp"
#include "ui/qke.hpp"
#include "ui/qtn.hpp"

namespace print {
namespace {

using rt::literals::operator""_pl;

base::Result<std::string> readWhole(sys::Env& env, const std::string& path) {
  auto f = env.open(path, sys::Access::ReadOnly);
  if (!f) return f.error();
  auto size = (*f)->size();
  if (!size) return size.error();
  std::string bytes(*size, '\0');
  auto n = (*f)->readAt(0, std::as_writable_bytes(std::span(bytes.data(), bytes.size())));
  if (!n) return n.error();
  bytes.resize(*n);
  return bytes;
}

// E4: `before` (the old file's bytes, when appending) and the print file into `target`.
base::Status writeFileWhole(sys::Env& env, const std::string& printFile, const std::string& target, bool append) {
  auto body = readWhole(env, printFile);
  if (!body) return body.error();
  std::string bytes;
  if (append && env.exists(target)) {
    auto old = readWhole(env, target);
    if (!old) return old.error();
    bytes = std::move(*old);
  }
  bytes += *body;
  const std::string temporary = target + ".$$$";
  auto out = env.open(temporary, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!out) return out.error();
  base::Status st = (*out)->writeAt(0, std::as_bytes(std::span(bytes.data(), bytes.size())));
  if (st) st = (*out)->sync();
  out->reset();
  if (st) st = env.rename(temporary, target);
  if (!st) (void)env.remove(temporary);
  return st;
}

void fileFailed(ui::Context& c, const std::string& name) {
  c.con.tone(220, 3);
  ui::QKE(c, "Błąd zapisu pliku "_pl + name + " - wydruk nie został zapisany !"_pl);
}

std::string pdfName(ui::Context& c, const Destination& d) {
  if (!d.name.empty()) return d.name;
  const rt::LocalTime t = c.rt.now();
  char buf[40];
  std::snprintf(buf, sizeof buf, "WYDRUK_%s_%02d%02d%02d", t.date.dtos().c_str(), t.hour % 100, t.minute % 100,
                t.second % 100);
  return buf;
}

Sent throughPageLibrary(ui::Context& c, const std::string& printFile, const Sending& s) {
  store::Tables& t = *c.tables;
  sys::Env& env = c.workspace->env();
  const PortTable ports = stationPorts(c);
  page::PageScript ps(env, ports.server(), stationFile(c, ""));
  bool ok = false;
  if (s.destination.kind == Kind::Pdf) {
    const std::string folder = stationFile(c, "PDF");
    if (!env.exists(folder)) (void)env.makeDir(folder);
    const std::string pdf = folder + "/" + pdfName(c, s.destination) + ".pdf";
    ps.PSSETDEVICE(page::kDevicePdf);
    ps.PSSETFILENAME(pdf);
    ok = ps.PSPRINTFILE(printFile, 0, s.landscape ? page::kLandscape : page::kPortrait, c.text("_FONT_PS"),
                        rt::utf8FromCp852(s.title));
    ps.PSSETDEVICE(page::kDevicePrinter);
    if (ok) c.con.write(23, 0, "Plik PDF: " + std::string(t.paths.resolve(t.stationFolder() + "PDF\\")) +
                                   pdfName(c, s.destination) + ".pdf");
  } else {
    ps.PSSETPRINTER(s.destination.name);
    ok = ps.PSPRINTFILE(printFile, 0, s.landscape ? page::kLandscape : page::kPortrait, c.text("_FONT_PS"),
                        rt::utf8FromCp852(s.title));
  }
  if (ok) return Sent::Printed;
  c.con.tone(220, 3);
  ui::QKE(c, "Błąd wydruku - PScript !"_pl);
  return Sent::Failed;
}

}  // namespace

std::string stationFile(ui::Context& c, std::string_view name) {
  const std::string folder = c.paths.resolve(c.tables->stationFolder());
  std::string f = folder;
  if (!f.empty() && f.back() != '/') f += '/';
  if (name.empty()) return f;
  return c.paths.resolve(c.tables->stationFolder() + std::string(name));
}

PortTable stationPorts(ui::Context& c) {
  return PortTable::read(c.workspace->env(), stationFile(c, kPortTableName));
}

bool PRINTER_OK(ui::Context& c, std::string_view port) {
  const auto d = classify(port);
  if (!d || (d->kind != Kind::Port && d->kind != Kind::Share)) return true;
  auto p = openPort(stationPorts(c), d->name, "");
  return p != nullptr && p->readiness() == Readiness::Ready;
}

AfterError PRINTERROR(ui::Context& c, Port& port, std::string_view name) {
  (void)name;
  c.con.tone(220, 3);
  bool ready = false;
  {
    ui::ModalBox box(c.con, con::Rect{10, 16, 14, 63}, ui::kBoxColour);
    const std::string old = c.con.setColour(ui::kBoxColour);
    c.con.write(11, 17, "              Błąd drukarki !               "_pl);
    c.con.write(12, 17, " Usuń przyczynę błędu lub naciśnij klawisz. "_pl);
    c.con.setColour(old);
    for (;;) {
      if (port.readiness() == Readiness::Ready) {
        ready = true;
        break;
      }
      if (c.con.inkey(con::KeyWait::seconds(0.5)) != 0) {
        ready = port.readiness() == Readiness::Ready;
        break;
      }
    }
  }
  if (!ready) return AfterError::Abandon;
  return ui::QTN_2W(c, "           Drukarka jest sprawna !          "_pl, "Kontynuacja przerwanego wydruku ?")
             ? AfterError::Resume
             : AfterError::Abandon;
}

Sent sendToPort(ui::Context& c, Port* port, std::string_view name, std::string_view bytes) {
  if (port == nullptr) {  // E1
    c.con.tone(220, 3);
    ui::QKE(c, "Sprawdź czy skonfigurowane jest drukowanie do portu "_pl + std::string(name));
    return Sent::Failed;
  }
  while (port->readiness() != Readiness::Ready)  // E2
    if (!ui::QTN(c, "Drukarka nie jest gotowa  -  ponowienie próby wydruku ?"_pl)) return Sent::Abandoned;
  std::size_t sent = 0;
  while (!port->write(bytes, sent))  // E3
    if (PRINTERROR(c, *port, name) == AfterError::Abandon) return Sent::Abandoned;
  return Sent::Printed;
}

Sent sendPrintout(ui::Context& c, const std::string& printFile, const Sending& s) {
  sys::Env& env = c.workspace->env();
  const Destination& d = s.destination;
  switch (d.kind) {
    case Kind::File:
    case Kind::WindowsFile: {
      const std::string name = d.kind == Kind::File ? d.name + ".prn" : d.name;
      const std::string target = stationFile(c, name);
      if (writeFileWhole(env, printFile, target, s.mode == FileMode::Append)) return Sent::Printed;
      fileFailed(c, name);
      return Sent::Failed;
    }
    case Kind::Pdf:
    case Kind::Windows: return throughPageLibrary(c, printFile, s);
    case Kind::Port:
    case Kind::Share: {
      auto bytes = readWhole(env, printFile);
      if (!bytes) {
        fileFailed(c, "PFILE_X");
        return Sent::Failed;
      }
      auto port = openPort(stationPorts(c), d.name, rt::utf8FromCp852(s.title));
      return sendToPort(c, port.get(), d.name, *bytes);
    }
  }
  return Sent::Failed;
}

}  // namespace print
