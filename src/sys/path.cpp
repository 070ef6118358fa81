// src/sys/path.cpp — resolution of DOS-style names through the drive table and a
// case-insensitive walk of the existing folders.
#include "sys/path.hpp"

#include <algorithm>
#include <cctype>

namespace sys {

namespace {

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool equalNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::vector<std::string> splitComponents(std::string_view s) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : s) {
    if (c == '/') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

}  // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name) {
  // Iterative match with one backtrack point for the last '*'.
  std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || upper(pattern[p]) == upper(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  // "NAME.*" also matches "NAME" without an extension, as DOS listings do.
  if (p + 2 == pattern.size() && pattern[p] == '.' && pattern[p + 1] == '*') return true;
  return p == pattern.size();
}

PathResolver::PathResolver(Env& env, std::string programFolder)
    : env_(env), programFolder_(std::move(programFolder)) {}

void PathResolver::mapDrive(char letter, std::string linuxFolder) { drives_[upper(letter)] = std::move(linuxFolder); }

std::string PathResolver::resolveComponent(const std::string& folder, const std::string& name) const {
  const std::string direct = joinPath(folder, name);
  if (name == "." || name == ".." || env_.exists(direct)) return direct;
  auto entries = env_.list(folder.empty() ? "." : folder);
  if (entries) {
    for (const DirEntry& e : *entries)
      if (equalNoCase(e.name, name)) return joinPath(folder, e.name);
  }
  return direct;
}

std::string PathResolver::resolve(std::string_view dosPath) const {
  std::string s(dosPath);
  std::replace(s.begin(), s.end(), '\\', '/');
  const bool folderName = !s.empty() && s.back() == '/';
  std::string root;
  if (s.size() >= 2 && s[1] == ':' && std::isalpha(static_cast<unsigned char>(s[0]))) {
    auto it = drives_.find(upper(s[0]));
    root = it != drives_.end() ? it->second : programFolder_;
    s.erase(0, 2);
  } else if (!s.empty() && s[0] == '/') {
    root = "/";
  } else {
    root = programFolder_;
  }
  std::string path = root;
  for (const std::string& part : splitComponents(s)) path = resolveComponent(path, part);
  if (folderName && (path.empty() || path.back() != '/')) path += '/';
  return path;
}

std::vector<std::string> PathResolver::glob(std::string_view dosPattern) const {
  std::string s(dosPattern);
  std::replace(s.begin(), s.end(), '\\', '/');
  std::size_t cut = s.rfind('/');
  if (cut == std::string::npos && s.size() >= 2 && s[1] == ':') cut = 1;  // "C:*.DBF"
  const std::string pattern = cut == std::string::npos ? s : s.substr(cut + 1);
  const std::string dir = cut == std::string::npos ? programFolder_ : resolve(s.substr(0, cut + 1));
  std::vector<std::string> out;
  auto entries = env_.list(dir);
  if (!entries) return out;
  for (const DirEntry& e : *entries)
    if (!e.isDir && matchesWildcard(pattern, e.name)) out.push_back(joinPath(dir, e.name));
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace sys
