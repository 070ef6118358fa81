// src/print/send.hpp — sending a finished print file to its destination, and what happens
// when a printer fails: PRINTER_OK, PRINTERROR.
//
// Rules:
//   E1  a port (LPT1..LPT3, a share) without an entry in the station's port table ends the
//       printout with "Sprawdź czy skonfigurowane jest drukowanie do portu " + port.
//   E2  a port that is not ready asks "Drukarka nie jest gotowa  -  ponowienie próby
//       wydruku ?": yes tries again, no abandons.
//   E3  a printer that fails while taking the printout shows "Błąd drukarki !" until it is
//       ready again or a key is pressed; ready again, "Drukarka jest sprawna !" asks whether
//       to continue: T goes on from the first byte the printer did not take, anything else
//       abandons (PRINTERROR).
//   E4  a file destination is written as a new file renamed over the old one: a failure
//       leaves the old file as it was and says so; nothing half written counts as printed.
//   E5  a PDF or system-printer printout that the page library cannot make ends with
//       "Błąd wydruku - PScript !".
#pragma once

#include <string>
#include <string_view>

#include "print/destination.hpp"
#include "print/ports.hpp"
#include "ui/context.hpp"

namespace print {

enum class FileMode { New, Append, Overwrite };

enum class Sent { Printed, Abandoned, Failed };

struct Sending {
  Destination destination;
  FileMode mode = FileMode::New;
  bool landscape = false;
  std::string title;
};

// Sends the print file `printFile` (a Linux path) as `s` says.
Sent sendPrintout(ui::Context& c, const std::string& printFile, const Sending& s);

// True when the port is ready; destinations other than ports always are.
bool PRINTER_OK(ui::Context& c, std::string_view port);

enum class AfterError { Resume, Abandon };
// E3 for `port` (named `name` on the screen).
AfterError PRINTERROR(ui::Context& c, Port& port, std::string_view name);

// E1..E3: `bytes` to the named port, with the questions above.
Sent sendToPort(ui::Context& c, Port* port, std::string_view name, std::string_view bytes);

// The station's port table (_SC + PORTY.TXT).
PortTable stationPorts(ui::Context& c);

// The Linux path of a file of the station folder.
std::string stationFile(ui::Context& c, std::string_view name);

}  // namespace print
