// src/print/page/text_to_pdf.hpp — a print file made into a PDF document (libharu), page by
// page as a printer would print it.
//
// The print file, in Windows-1250: lines end with CR LF (a lone LF ends a line too, a lone
// CR returns to the line's start); a form feed starts a new page, and so does a line that
// no longer fits; a tab moves to the next multiple of 8 columns; ESC and one more byte:
//   "B"/"b" bold on/off, "I"/"i" italic on/off, "U"/"u" underline on/off, "S"/"s" strike-out
//   on/off; byte 7, 10, 12, 15, 17, 18, 20: 8, 10, 12, 15, 17, 18, 20 characters per inch;
//   byte 6 and 8: 6 and 8 lines per inch. Other control bytes and escapes print nothing.
// Pages are A4, with a quarter-inch margin; the text starts at 10 characters and 6 lines per
// inch (a 12-point monospaced font). The font is embedded, so every Polish letter prints
// wherever the document is opened.
#pragma once

#include <string>

#include "base/status.hpp"
#include "sys/env.hpp"

namespace print::page {

struct PdfOptions {
  bool landscape = false;
  int firstPage = 1;        // pages before it are left out
  std::string fontName;     // the program's font setting; every name maps to the monospaced face
  std::string fontFolder = "/usr/share/fonts/truetype/dejavu/";
  std::string title;
};

// Writes `pdfFile` whole or not at all (a new file renamed over it). Errc::NotFound: the text
// file or the font is missing; Errc::Io: the document could not be made or written.
base::Status textToPdf(sys::Env& env, const std::string& textFile, const std::string& pdfFile, const PdfOptions& o);

}  // namespace print::page
