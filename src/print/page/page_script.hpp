// src/print/page/page_script.hpp — the page-printing operations the print pipeline calls:
// choose the device (a PDF file or a system printer), name the PDF file, print a text file
// as one document, and list the printers. PDF documents are made by textToPdf (libharu);
// printers are CUPS queues, which get the document as a PDF job.
//
// Device numbers as the pipeline uses them: 1 a printer (PSSetPrinter's queue, or the
// server's default one), 3 a PDF file (PSSetFileName's). The object is the wrapper of one
// run; lastError() holds the message of the last failure.
#pragma once

#include <string>
#include <vector>

#include "sys/env.hpp"

namespace print::page {

inline constexpr int kDevicePrinter = 1, kDevicePdf = 3;
inline constexpr int kPortrait = 1, kLandscape = 2;

class PageScript {
 public:
  // `server`: the CUPS server ("" the system's); `workFolder`: where a printer's document is
  // made before it is sent (the station folder).
  PageScript(sys::Env& env, std::string server, std::string workFolder);

  void PSSETDEVICE(int device) { device_ = device; }
  void PSSETFILENAME(std::string pdfFile) { pdfFile_ = std::move(pdfFile); }
  void PSSETPRINTER(std::string queue) { queue_ = std::move(queue); }
  // Prints `textFile` as one document; false on failure (lastError() says why).
  bool PSPRINTFILE(const std::string& textFile, int firstPage, int orientation, const std::string& font,
                   const std::string& title = {});
  std::vector<std::string> PSGETPRINTERS() const;

  const std::string& lastError() const { return error_; }
  void setFontFolder(std::string folder) { fontFolder_ = std::move(folder); }

 private:
  sys::Env& env_;
  std::string server_, workFolder_, fontFolder_ = "/usr/share/fonts/truetype/dejavu/";
  int device_ = kDevicePrinter;
  std::string pdfFile_, queue_, error_;
};

}  // namespace print::page
