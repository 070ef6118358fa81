// src/print/page/page_script.cpp — the page-printing operations.
#include "print/page/page_script.hpp"

#include <cups/cups.h>

#include "print/page/cups_queue.hpp"
#include "print/page/text_to_pdf.hpp"

namespace print::page {
namespace {

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

}  // namespace

PageScript::PageScript(sys::Env& env, std::string server, std::string workFolder)
    : env_(env), server_(std::move(server)), workFolder_(std::move(workFolder)) {}

bool PageScript::PSPRINTFILE(const std::string& textFile, int firstPage, int orientation, const std::string& font,
                             const std::string& title) {
  PdfOptions o;
  o.landscape = orientation == kLandscape;
  o.firstPage = std::max(firstPage, 1);
  o.fontName = font;
  o.fontFolder = fontFolder_;
  o.title = title;
  error_.clear();
  if (device_ == kDevicePdf) {
    const base::Status made = textToPdf(env_, textFile, pdfFile_, o);
    if (!made) error_ = made.toString();
    return made.isOk();
  }
  const std::string queue = queue_.empty() ? defaultPrinter(server_) : queue_;
  if (queue.empty()) {
    error_ = "no printer";
    return false;
  }
  const std::string document = workFolder_ + "PFILE_X.pdf";
  base::Status st = textToPdf(env_, textFile, document, o);
  if (st) {
    auto bytes = readWhole(env_, document);
    st = bytes ? submitJob(server_, queue, title, CUPS_FORMAT_PDF, *bytes) : bytes.error();
  }
  (void)env_.remove(document);
  if (!st) error_ = st.toString();
  return st.isOk();
}

std::vector<std::string> PageScript::PSGETPRINTERS() const { return printerNames(server_); }

}  // namespace print::page
