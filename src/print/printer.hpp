// src/print/printer.hpp — the print device: what a printout writes to while it is being
// made. It keeps the print position (the classic PROW and PCOL) and writes the print file's
// bytes: lines ended by CR LF, a form feed between pages, the printer's control codes, the
// left margin, and the Polish letters in the code page of the destination.
//
// Rules:
//   P1  the position starts at row 0, column 0 of page 1. at(row, col) on a row above the
//       current one ends the page first (a form feed), as the classic @ ... SAY to the printer
//       does; a row below it feeds lines; within a row a text overwrites what stands in its
//       columns, so a text placed at the right margin after one at the left shares the line.
//   P2  control codes take no column: they are sent just before the character of the column
//       where they were given.
//   P3  text is converted byte for byte by the destination's code-page table; control codes
//       are not converted. Trailing blanks of a line are not written.
//   P4  pages outside firstPage..lastPage are laid out (the position moves on) but nothing of
//       them is written, not even the form feed that ends them.
//   P5  the first failure of the sink stops all further writing and stays in status().
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/status.hpp"
#include "print/control_codes.hpp"

namespace print {

struct PageSetup {
  int pageLength = 66;    // lines a page; 0: one endless page
  int topMargin = 0;      // blank lines at the top of each page (counted in pageLength)
  int leftMargin = 0;     // blanks before each line (not counted in columns)
  int width = 80;         // characters a line; the right margin is width - 1
  Dialect dialect = Dialect::EscP;
  bool continuous = false;  // pages end by feeding lines to the page length, not by a form feed
  int firstPage = 1, lastPage = 999;  // pages outside are made but not written
  int frames = 0;           // the frames of lists: 0 simple, 1 full
  bool underlines = false;  // lists underline their headings
  std::array<unsigned char, 256> codePage{};  // text byte -> destination byte
  PageSetup();
};

class Printer {
 public:
  using Sink = std::function<base::Status(std::string_view bytes)>;
  Printer(PageSetup setup, Sink sink);
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  // --- position ---
  int prow() const { return row_; }
  int pcol() const { return col_; }
  int page() const { return page_; }
  int rightMargin() const { return setup_.width - 1; }
  int width() const { return setup_.width; }
  const PageSetup& setup() const { return setup_; }
  // Lines left on the page below the current one; a large number on an endless page.
  int linesLeft() const;
  // SETPRC: the position the program assumes from now on; nothing is printed.
  void setPosition(int row, int col);

  // --- text ---
  void at(int row, int col, std::string_view cp852);   // P1
  void write(std::string_view cp852);                  // at the current position
  void writeKeepingPosition(std::string_view cp852);   // PRINTCONT
  void newLine(int count = 1);
  void formFeed();                                     // ends the page: the next line is row 0 of a new page
  void attribute(Attribute a, bool on);
  void control(std::string_view bytes);                // P2, unconverted

  // Writes the pending line and whatever is buffered. Call once at the end.
  base::Status finish();
  const base::Status& status() const { return status_; }
  // The printout was broken off (Esc): the body stops, and nothing is sent.
  void requestStop() { stopRequested_ = true; }
  bool stopRequested() const { return stopRequested_; }
  // The number of this printout of the document _DRU_DOK (print log), 0 when not numbered.
  int printoutNumber() const { return number_; }
  void setPrintoutNumber(int n) { number_ = n; }
  std::uint64_t bytesWritten() const { return written_; }

 private:
  void startRow();
  void endLine();
  void put(std::string_view bytes);
  bool pageWritten(int page) const { return page >= setup_.firstPage && page <= setup_.lastPage; }
  void flushBuffer();

  PageSetup setup_;
  Sink sink_;
  int row_ = 0, col_ = 0, page_ = 1;
  bool rowStarted_ = false;                         // the top margin of the page is out
  std::string line_;                                // the current line's text, by column
  std::vector<std::pair<int, std::string>> codes_;  // control codes of the current line
  std::string out_;
  std::uint64_t written_ = 0;
  bool stopRequested_ = false;
  int number_ = 0;
  base::Status status_;
};

// The table that converts the 18 Polish letters of `from` to `to` ("MAZ", "LAT", "ISO",
// "WIN", "STD"); blank, equal or unknown codes give the identity.
std::array<unsigned char, 256> codePageTable(std::string_view from, std::string_view to);

}  // namespace print
