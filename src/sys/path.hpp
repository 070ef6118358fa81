// src/sys/path.hpp — DOS-style names as the configuration and the tables hold them
// ("DANE#01\", "C:\KALVERO\", "ekran.mem") turned into Linux paths.
// Rules:
//   1. Backslashes become slashes; a trailing separator is kept (a folder name).
//   2. A drive letter ("C:") maps through the drive table to a Linux folder; a drive
//      without a mapping maps to the program folder, so an installation copied from a
//      DOS or Windows machine with its data under one drive works unchanged.
//   3. A path without a drive and not starting with a separator is relative to the
//      program folder (the program never changes the process's current folder).
//   4. Each component that exists on disk under another letter case resolves to the
//      existing name ("config.dbf" finds "CONFIG.DBF"); a component that does not exist
//      keeps the case the program gives, so new files are created as named.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sys/env.hpp"

namespace sys {

class PathResolver {
 public:
  PathResolver(Env& env, std::string programFolder);

  void mapDrive(char letter, std::string linuxFolder);
  const std::string& programFolder() const { return programFolder_; }

  // The Linux path of a DOS-style name (rules 1-4).
  std::string resolve(std::string_view dosPath) const;

  // The names in the folder of `dosPattern` matching its last component, a DOS wildcard
  // ("*.DBF", "0*.DBF", "FLAGA.???"), compared without case; full Linux paths, sorted.
  std::vector<std::string> glob(std::string_view dosPattern) const;

 private:
  std::string resolveComponent(const std::string& folder, const std::string& name) const;
  Env& env_;
  std::string programFolder_;
  std::map<char, std::string> drives_;
};

// True when `name` matches the DOS wildcard `pattern` ('?' one character, '*' any run),
// ignoring letter case.
bool matchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace sys
