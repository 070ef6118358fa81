// src/print/page/cups_queue.hpp — the system's printers, through the CUPS client library:
// the list of queues, whether a queue takes jobs, and one job sent to a queue.
//
// A server is "host:port"; empty means the client library's own choice (the local
// scheduler, or what the station's CUPS client settings name).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.hpp"

namespace print::page {

// The names of the queues; empty when the server cannot be reached.
std::vector<std::string> printerNames(const std::string& server);

// The name of the server's default queue, "" when it has none.
std::string defaultPrinter(const std::string& server);

enum class QueueState { Ready, NotReady /* stopped, or not accepting jobs */, Missing };
QueueState queueState(const std::string& server, const std::string& queue);

// Sends `bytes` as one job of format `format` (CUPS_FORMAT_RAW sends them to the printer
// unchanged; "application/pdf"). Errc::NotFound: no such queue; Errc::Refused: the server
// refused the job; Errc::Io: the server could not be reached or the transfer broke off.
base::Status submitJob(const std::string& server, const std::string& queue, std::string_view title,
                       std::string_view format, std::string_view bytes);

}  // namespace print::page
