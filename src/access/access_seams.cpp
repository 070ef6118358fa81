// src/access/access_seams.cpp — the defaults of the program's seams.
#include "access/access_seams.hpp"

#include <cstdlib>

namespace operators {

void endProgram(const AccessSeams& s, int code) {
  if (s.endProgram) s.endProgram(code);
  std::exit(code);  // also when a seam returned against its contract
}

void breakToStart(const AccessSeams& s) {
  if (s.breakToStart) s.breakToStart();
  throw BreakToStart{};
}

void releaseFlag(const AccessSeams& s) {
  if (s.releaseFlag) s.releaseFlag();
}

void logActivity(const AccessSeams& s, std::string_view line) {
  if (s.logActivity) s.logActivity(line);
}

}  // namespace operators
