// src/print/printer.cpp — the print device.
#include "print/printer.hpp"

#include <algorithm>
#include <climits>
#include <optional>

#include "rt/codepage.hpp"

namespace print {
namespace {

constexpr std::size_t kFlushAt = 64 * 1024;

std::optional<rt::CodePage> codePageOf(std::string_view code) {
  if (code == "MAZ") return rt::CodePage::Mazovia;
  if (code == "LAT") return rt::CodePage::Cp852;
  if (code == "ISO") return rt::CodePage::Iso8859_2;
  if (code == "WIN") return rt::CodePage::Windows1250;
  if (code == "STD") return rt::CodePage::Plain;
  return std::nullopt;
}

std::array<unsigned char, 256> identity() {
  std::array<unsigned char, 256> t{};
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = static_cast<unsigned char>(i);
  return t;
}

}  // namespace

PageSetup::PageSetup() : codePage(identity()) {}

std::array<unsigned char, 256> codePageTable(std::string_view from, std::string_view to) {
  std::array<unsigned char, 256> t = identity();
  const auto f = codePageOf(from), d = codePageOf(to);
  if (!f || !d || *f == *d || *f == rt::CodePage::Plain) return t;
  for (int i = 0; i < rt::kPolishLetterCount; ++i) t[rt::polishLetter(*f, i)] = rt::polishLetter(*d, i);
  return t;
}

Printer::Printer(PageSetup setup, Sink sink) : setup_(std::move(setup)), sink_(std::move(sink)) {
  setup_.width = std::max(setup_.width, 1);
}

int Printer::linesLeft() const {
  if (setup_.pageLength <= 0) return INT_MAX / 2;
  return setup_.pageLength - 1 - std::max(row_, setup_.topMargin);
}

void Printer::setPosition(int row, int col) {
  row_ = std::max(row, 0);
  col_ = std::max(col, 0);
}

void Printer::startRow() {
  if (rowStarted_) return;
  rowStarted_ = true;
  // The top margin: the page's first rows stay blank.
  for (; row_ < setup_.topMargin; ++row_) put("\r\n");
}

void Printer::at(int row, int col, std::string_view cp852) {
  if (row < row_) formFeed();
  startRow();
  if (row > row_) newLine(row - row_);
  col_ = std::max(col, 0);
  write(cp852);
}

void Printer::write(std::string_view cp852) {
  writeKeepingPosition(cp852);
  col_ += static_cast<int>(cp852.size());
}

void Printer::writeKeepingPosition(std::string_view cp852) {
  startRow();
  const std::size_t end = static_cast<std::size_t>(col_) + cp852.size();
  if (line_.size() < end) line_.resize(end, ' ');
  std::copy(cp852.begin(), cp852.end(), line_.begin() + col_);
}

void Printer::control(std::string_view bytes) {
  startRow();
  codes_.emplace_back(col_, std::string(bytes));
}

void Printer::attribute(Attribute a, bool on) { control(attributeCode(setup_.dialect, a, on)); }

void Printer::endLine() {
  std::size_t length = line_.find_last_not_of(' ');
  length = length == std::string::npos ? 0 : length + 1;
  std::string text;
  text.reserve(static_cast<std::size_t>(setup_.leftMargin) + length + 2);
  text.append(static_cast<std::size_t>(std::max(setup_.leftMargin, 0)), ' ');
  std::size_t code = 0;
  std::stable_sort(codes_.begin(), codes_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < length; ++i) {
    for (; code < codes_.size() && codes_[code].first <= static_cast<int>(i); ++code) text += codes_[code].second;
    text += static_cast<char>(setup_.codePage[static_cast<unsigned char>(line_[i])]);
  }
  for (; code < codes_.size(); ++code) text += codes_[code].second;
  put(text);
  line_.clear();
  codes_.clear();
}

void Printer::newLine(int count) {
  startRow();
  for (int i = 0; i < count; ++i) {
    endLine();
    put("\r\n");
    ++row_;
  }
  col_ = 0;
}

void Printer::formFeed() {
  startRow();
  if (!line_.empty() || !codes_.empty()) {
    endLine();
    put("\r\n");
  }
  if (setup_.continuous && setup_.pageLength > 0) {
    for (; row_ < setup_.pageLength; ++row_) put("\r\n");
  } else if (pageWritten(page_) && pageWritten(page_ + 1)) {
    put("\f");
  }
  row_ = col_ = 0;
  ++page_;
  rowStarted_ = false;
}

void Printer::put(std::string_view bytes) {
  if (!pageWritten(page_)) return;
  out_ += bytes;
  if (out_.size() >= kFlushAt) flushBuffer();
}

void Printer::flushBuffer() {
  if (status_ && !out_.empty()) {
    status_ = sink_(out_);
    if (status_) written_ += out_.size();
  }
  out_.clear();
}

base::Status Printer::finish() {
  if (!line_.empty() || !codes_.empty()) endLine();
  flushBuffer();
  return status_;
}

}  // namespace print
