// src/sys/batch.cpp — the batch-file interpreter (rules in the header).
#include "sys/batch.hpp"

#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <vector>

#include "sys/command.hpp"

namespace sys {
namespace {

std::string lower(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

std::string trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// B3: removes a final ">NUL" / "> NUL" and tells whether there was one.
bool takeNullRedirection(std::string& line) {
  const std::string low = lower(line);
  if (low.size() < 4 || low.compare(low.size() - 3, 3, "nul") != 0) return false;
  std::size_t at = low.size() - 3;
  while (at > 0 && low[at - 1] == ' ') --at;
  if (at == 0 || low[at - 1] != '>') return false;
  line = trimmed(line.substr(0, at - 1));
  return true;
}

// B4: the command word without ".exe" / ".com".
std::string commandWord(const std::string& word) {
  std::string w = lower(word);
  if (w.size() > 4 && (w.ends_with(".exe") || w.ends_with(".com"))) w.resize(w.size() - 4);
  return w;
}

std::vector<std::string> words(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

}  // namespace

base::Result<int> runBatchLine(const std::string& raw, const std::string& folder, const BatchPrograms& programs) {
  std::string line = raw;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  line = trimmed(line);
  if (!line.empty() && line[0] == '@') line = trimmed(line.substr(1));
  const std::string low = lower(line);
  if (line.empty() || low.starts_with("rem ") || low == "rem" || low.starts_with("::")) return 0;
  if (low == "cls") {
    if (::isatty(1)) (void)!::write(1, "\x1b[H\x1b[2J", 7);
    return 0;
  }
  const bool quiet = takeNullRedirection(line);
  const std::size_t blank = line.find(' ');
  const std::string first = line.substr(0, blank);
  if (const auto known = programs.find(commandWord(first)); known != programs.end()) {
    std::vector<std::string> argv{known->second.path};
    const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (known->second.arguments == Arguments::Tail) {
      if (!rest.empty()) argv.push_back(rest);
    } else {
      for (std::string& w : words(rest)) argv.push_back(std::move(w));
    }
    return runProgram(argv, folder, quiet ? Output::Discard : Output::Inherit);
  }
  return runCommand(quiet ? line + " >/dev/null" : line, folder);
}

base::Result<int> runBatch(const std::string& file, const std::string& folder, const BatchPrograms& programs) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return base::Status(base::Errc::NotFound, "cannot read the batch file " + file);
  int last = 0;
  for (std::string line; std::getline(in, line);) {
    auto r = runBatchLine(line, folder, programs);
    if (!r) return r;
    last = *r;
  }
  return last;
}

}  // namespace sys
