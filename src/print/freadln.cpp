// src/print/freadln.cpp — FREADLN, FWRITELN.
#include "print/freadln.hpp"

#include <span>

namespace print {

bool FREADLN(TextHandle& h, std::string& line, std::size_t length) {
  std::string block(length, '\0');
  auto n = h.file.readAt(h.position, std::as_writable_bytes(std::span(block.data(), block.size())));
  if (!n || *n == 0) return false;
  block.resize(*n);
  const std::size_t end = block.find("\r\n");
  if (end == std::string::npos) {
    line = std::move(block);
    h.position += *n;
  } else {
    line = block.substr(0, end);
    h.position += end + 2;
  }
  return true;
}

base::Status FWRITELN(TextHandle& h, std::string_view text) {
  std::string bytes(text);
  bytes += "\r\n";
  base::Status st = h.file.writeAt(h.position, std::as_bytes(std::span(bytes.data(), bytes.size())));
  if (st) h.position += bytes.size();
  return st;
}

}  // namespace print
