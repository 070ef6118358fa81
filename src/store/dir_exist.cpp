// src/store/dir_exist.cpp — DIR_EXIST.
#include "store/dir_exist.hpp"

#include <string>

namespace store {

bool DIR_EXIST(Tables& t, std::string_view folder) {
  std::string p(folder);
  if (!p.empty() && p.back() == '\\') p.pop_back();
  if (!p.empty() && p.back() == ':') p += '\\';
  if (p.empty()) return false;
  // Listing succeeds exactly for a folder that exists and may be entered.
  return bool(t.ws.env().list(t.paths.resolve(p)));
}

}  // namespace store
