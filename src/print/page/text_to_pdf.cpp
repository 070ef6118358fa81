// src/print/page/text_to_pdf.cpp — the print-file interpreter over libharu.
#include "print/page/text_to_pdf.hpp"

#include <hpdf.h>

#include <array>
#include <memory>
#include <span>
#include <vector>

namespace print::page {
namespace {

constexpr char kEsc = 0x1B;
constexpr double kMargin = 18;  // points
constexpr double kItalicSlant = 0.2;
constexpr std::size_t kBlock = 64 * 1024;

HPDF_REAL real(double v) { return static_cast<HPDF_REAL>(v); }

struct DocFree {
  void operator()(HPDF_Doc d) const { HPDF_Free(d); }
};
using Doc = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, DocFree>;

// libharu reports errors through a callback; the document remembers the first.
void onError(HPDF_STATUS error, HPDF_STATUS detail, void* data) {
  auto* first = static_cast<HPDF_STATUS*>(data);
  if (*first == 0) *first = error != 0 ? error : detail;
}

struct Attributes {
  bool bold = false, italic = false, underline = false, strike = false;
  int cpi = 10;
};

struct Line {
  double x0, x1, y;
};

class Renderer {
 public:
  Renderer(HPDF_Doc doc, const PdfOptions& o, HPDF_Font regular, HPDF_Font bold)
      : doc_(doc), o_(o), regular_(regular), bold_(bold) {
    const HPDF_INT w = HPDF_Font_GetUnicodeWidth(regular, 'M');
    emWidth_ = w > 0 ? w / 1000.0 : 0.6;
  }

  void byte(unsigned char b) {
    if (escape_) return escaped(b);
    switch (b) {
      case '\r': crPending_ = true; return;
      case '\n': crPending_ = false; return endLine();
      case '\f': crPending_ = false; return newPage();
      case '\t': text(std::string(8 - col_ % 8, ' ')); return;
      case kEsc: escape_ = true; return;
      default: break;
    }
    if (crPending_) {  // a lone CR: back to the start of the line
      crPending_ = false;
      flushRun();
      x_ = 0;
      col_ = 0;
    }
    if (b >= 0x20) run_ += static_cast<char>(b);
  }

  void finish() {
    flushRun();
    if (pagesMade_ == 0) openPage();  // an empty print file still makes a valid document
    closePage();
  }

 private:
  void escaped(unsigned char b) {
    escape_ = false;
    flushRun();
    switch (b) {
      case 'B': attr_.bold = true; break;
      case 'b': attr_.bold = false; break;
      case 'I': attr_.italic = true; break;
      case 'i': attr_.italic = false; break;
      case 'U': attr_.underline = true; break;
      case 'u': attr_.underline = false; break;
      case 'S': attr_.strike = true; break;
      case 's': attr_.strike = false; break;
      case 7: attr_.cpi = 8; break;
      case 10: case 12: case 15: case 17: case 18: case 20: attr_.cpi = b; break;
      case 6: case 8: lpi_ = b; break;
      default: break;
    }
  }

  void text(const std::string& s) { run_ += s; }

  double advance() const { return 72.0 / attr_.cpi; }
  double leading() const { return 72.0 / lpi_; }
  bool drawing() const { return pageNumber_ + 1 >= o_.firstPage; }

  void openPage() {
    page_ = HPDF_AddPage(doc_);
    ++pagesMade_;
    HPDF_Page_SetSize(page_, HPDF_PAGE_SIZE_A4, o_.landscape ? HPDF_PAGE_LANDSCAPE : HPDF_PAGE_PORTRAIT);
    height_ = HPDF_Page_GetHeight(page_);
    HPDF_Page_BeginText(page_);
    font_ = nullptr;
  }

  void closePage() {
    if (page_ == nullptr) return;
    HPDF_Page_EndText(page_);
    if (!lines_.empty()) {
      HPDF_Page_SetLineWidth(page_, real(0.6));
      for (const Line& l : lines_) {
        HPDF_Page_MoveTo(page_, real(l.x0), real(l.y));
        HPDF_Page_LineTo(page_, real(l.x1), real(l.y));
      }
      HPDF_Page_Stroke(page_);
      lines_.clear();
    }
    page_ = nullptr;
  }

  double baseline() const { return height_ - kMargin - top_ - leading() * 0.8; }

  void flushRun() {
    if (run_.empty()) return;
    if (drawing()) {
      if (page_ == nullptr) openPage();
      if (baseline() < kMargin) {  // the line no longer fits: the printer would feed a new sheet
        newPage();
        if (page_ == nullptr) openPage();
      }
      draw();
    }
    x_ += advance() * static_cast<double>(run_.size());
    col_ += static_cast<int>(run_.size());
    run_.clear();
  }

  void draw() {
    HPDF_Font f = attr_.bold ? bold_ : regular_;
    const double size = advance() / emWidth_;
    if (f != font_ || size != size_) {
      HPDF_Page_SetFontAndSize(page_, f, static_cast<HPDF_REAL>(size));
      font_ = f;
      size_ = size;
    }
    const double x = kMargin + x_, y = baseline();
    HPDF_Page_SetTextMatrix(page_, 1, 0, real(attr_.italic ? kItalicSlant : 0), 1, static_cast<HPDF_REAL>(x),
                            static_cast<HPDF_REAL>(y));
    HPDF_Page_ShowText(page_, run_.c_str());
    const double x1 = x + advance() * static_cast<double>(run_.size());
    if (attr_.underline) lines_.push_back({x, x1, y - size * 0.15});
    if (attr_.strike) lines_.push_back({x, x1, y + size * 0.3});
  }

  void endLine() {
    flushRun();
    top_ += leading();
    x_ = 0;
    col_ = 0;
  }

  void newPage() {
    flushRun();
    if (drawing() && page_ == nullptr) openPage();  // an empty page still counts
    closePage();
    ++pageNumber_;
    top_ = 0;
    x_ = 0;
    col_ = 0;
  }

  HPDF_Doc doc_;
  const PdfOptions& o_;
  HPDF_Font regular_, bold_, font_ = nullptr;
  double emWidth_ = 0.6, size_ = 0;
  HPDF_Page page_ = nullptr;
  double height_ = 0, top_ = 0, x_ = 0;
  int col_ = 0, lpi_ = 6, pageNumber_ = 0, pagesMade_ = 0;
  Attributes attr_;
  std::string run_;
  std::vector<Line> lines_;
  bool escape_ = false, crPending_ = false;
};

HPDF_Font loadFont(HPDF_Doc doc, const std::string& file) {
  const char* name = HPDF_LoadTTFontFromFile(doc, file.c_str(), HPDF_TRUE);
  return name != nullptr ? HPDF_GetFont(doc, name, "CP1250") : nullptr;
}

base::Status writeWhole(sys::Env& env, HPDF_Doc doc, const std::string& pdfFile) {
  if (HPDF_SaveToStream(doc) != HPDF_OK) return base::Status(base::Errc::Io, "the document cannot be made");
  const std::string temporary = pdfFile + ".tmp";
  auto out = env.open(temporary, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!out) return out.error();
  HPDF_ResetStream(doc);
  std::vector<HPDF_BYTE> buf(kBlock);
  std::uint64_t at = 0;
  for (;;) {
    HPDF_UINT32 n = static_cast<HPDF_UINT32>(buf.size());
    const HPDF_STATUS st = HPDF_ReadFromStream(doc, buf.data(), &n);
    if (n > 0) {
      if (base::Status w = (*out)->writeAt(at, std::as_bytes(std::span(buf.data(), n))); !w) {
        out->reset();
        (void)env.remove(temporary);
        return w;
      }
      at += n;
    }
    if (st != HPDF_OK) break;  // HPDF_STREAM_EOF at the end
  }
  base::Status synced = (*out)->sync();
  out->reset();
  if (!synced) {
    (void)env.remove(temporary);
    return synced;
  }
  return env.rename(temporary, pdfFile);
}

}  // namespace

base::Status textToPdf(sys::Env& env, const std::string& textFile, const std::string& pdfFile, const PdfOptions& o) {
  auto in = env.open(textFile, sys::Access::ReadOnly);
  if (!in) return base::Status(base::Errc::NotFound, textFile);
  HPDF_STATUS error = 0;
  Doc doc(HPDF_New(onError, &error));
  if (!doc) return base::Status(base::Errc::Io, "libharu cannot start a document");
  HPDF_SetCompressionMode(doc.get(), HPDF_COMP_ALL);
  if (!o.title.empty()) HPDF_SetInfoAttr(doc.get(), HPDF_INFO_TITLE, o.title.c_str());
  HPDF_SetInfoAttr(doc.get(), HPDF_INFO_CREATOR, "ZELMORAN");
  HPDF_Font regular = loadFont(doc.get(), o.fontFolder + "DejaVuSansMono.ttf");
  HPDF_Font bold = loadFont(doc.get(), o.fontFolder + "DejaVuSansMono-Bold.ttf");
  if (regular == nullptr) return base::Status(base::Errc::NotFound, o.fontFolder + "DejaVuSansMono.ttf");
  Renderer r(doc.get(), o, regular, bold != nullptr ? bold : regular);
  std::vector<std::byte> buf(kBlock);
  for (std::uint64_t at = 0;;) {
    auto n = (*in)->readAt(at, buf);
    if (!n) return n.error();
    if (*n == 0) break;
    for (std::size_t i = 0; i < *n; ++i) r.byte(std::to_integer<unsigned char>(buf[i]));
    at += *n;
  }
  r.finish();
  if (error != 0) return base::Status(base::Errc::Io, "libharu error " + std::to_string(error));
  return writeWhole(env, doc.get(), pdfFile);
}

}  // namespace print::page
