// src/print/page/cups_queue.cpp — CUPS queues.
#include "print/page/cups_queue.hpp"

#include <cups/cups.h>

#include <memory>

namespace print::page {
namespace {

struct HttpClose {
  void operator()(http_t* h) const { httpClose(h); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

// A connection to `server`; a null connection means the library's default one, which is
// also what an unreachable default gives. `ok` is false when a named server cannot be reached.
Connection connect(const std::string& server, bool& ok) {
  ok = true;
  if (server.empty()) return Connection(CUPS_HTTP_DEFAULT);
  std::string host = server;
  int port = ippPort();
  if (const auto colon = server.rfind(':'); colon != std::string::npos) {
    host = server.substr(0, colon);
    port = std::atoi(server.c_str() + colon + 1);
  }
  Connection c(httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1, 10000, nullptr));
  ok = c != nullptr;
  return c;
}

struct Dests {
  int count = 0;
  cups_dest_t* dests = nullptr;
  ~Dests() { cupsFreeDests(count, dests); }
};

struct Dest {
  cups_dest_t* d = nullptr;
  ~Dest() { cupsFreeDests(d != nullptr ? 1 : 0, d); }
};

}  // namespace

std::vector<std::string> printerNames(const std::string& server) {
  bool ok = false;
  Connection http = connect(server, ok);
  std::vector<std::string> names;
  if (!ok) return names;
  Dests all;
  all.count = cupsGetDests2(http.get(), &all.dests);
  for (int i = 0; i < all.count; ++i)
    if (all.dests[i].instance == nullptr) names.emplace_back(all.dests[i].name);
  return names;
}

std::string defaultPrinter(const std::string& server) {
  bool ok = false;
  Connection http = connect(server, ok);
  if (!ok) return "";
  Dest dest{cupsGetNamedDest(http.get(), nullptr, nullptr)};
  return dest.d != nullptr ? std::string(dest.d->name) : "";
}

QueueState queueState(const std::string& server, const std::string& queue) {
  bool ok = false;
  Connection http = connect(server, ok);
  if (!ok) return QueueState::NotReady;
  Dest dest{cupsGetNamedDest(http.get(), queue.c_str(), nullptr)};
  if (dest.d == nullptr) return QueueState::Missing;
  const char* state = cupsGetOption("printer-state", dest.d->num_options, dest.d->options);
  const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest.d->num_options, dest.d->options);
  const bool stopped = state != nullptr && std::string_view(state) == "5";
  const bool refusing = accepting != nullptr && std::string_view(accepting) == "false";
  return stopped || refusing ? QueueState::NotReady : QueueState::Ready;
}

base::Status submitJob(const std::string& server, const std::string& queue, std::string_view title,
                       std::string_view format, std::string_view bytes) {
  bool ok = false;
  Connection http = connect(server, ok);
  if (!ok) return base::Status(base::Errc::Io, "CUPS server " + server + " cannot be reached");
  // One Print-Job request on this connection: the document follows the request.
  const std::string resource = "/printers/" + queue;
  char uri[1024];
  httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), resource.c_str());
  const std::string name(title.empty() ? std::string_view("ZELMORAN") : title);
  const std::string type(format);
  ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, name.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, type.c_str());
  http_status_t status = cupsSendRequest(http.get(), request, resource.c_str(), CUPS_LENGTH_VARIABLE);
  constexpr std::size_t kChunk = 64 * 1024;
  for (std::size_t at = 0; status == HTTP_STATUS_CONTINUE && at < bytes.size(); at += kChunk)
    status = cupsWriteRequestData(http.get(), bytes.data() + at, std::min(kChunk, bytes.size() - at));
  ipp_t* response = status == HTTP_STATUS_CONTINUE ? cupsGetResponse(http.get(), resource.c_str()) : nullptr;
  ippDelete(request);
  ippDelete(response);
  const ipp_status_t why = cupsLastError();
  if (response != nullptr && why <= IPP_STATUS_OK_EVENTS_COMPLETE) return base::Status::ok();
  const base::Errc e = why == IPP_STATUS_ERROR_NOT_FOUND ? base::Errc::NotFound
                       : why >= IPP_STATUS_ERROR_BAD_REQUEST && why < IPP_STATUS_ERROR_INTERNAL ? base::Errc::Refused
                                                                                                 : base::Errc::Io;
  return base::Status(e, cupsLastErrorString());
}

}  // namespace print::page
