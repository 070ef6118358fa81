// src/print/page/dialect.hpp — a print file made for an ESC/P or IBM printer rewritten in the
// page library's escapes (page/text_to_pdf.hpp), so that a stored printout can be made into
// a PDF document: bold, italic, underline and the densities carry over; the reset and the
// codes the page library has no use for are dropped.
#pragma once

#include <string>
#include <string_view>

namespace print::page {

std::string fromPrinterCodes(std::string_view printFile);

}  // namespace print::page
