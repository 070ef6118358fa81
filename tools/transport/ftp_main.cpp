// tools/transport/ftp_main.cpp — zelmoran-ftp, the FTP client that the program's transfer
// batch files start as "ftp -s:SCRIPT". It reads the script the way a classic command-line
// client reads one: "open HOST [PORT]", then the next two lines answer the user-name and
// password prompts; then "cd", "binary", "ascii", "put LOCAL [REMOTE]", "get REMOTE [LOCAL]",
// "rename FROM TO", "quit" / "bye", one a line. Transfers use passive mode. Every command
// prints a line in the classic client's manner; the password is never printed.
//
// Rules:
//   F1  a "cd" that the server refuses leaves the folder as it was.
//   F2  "get" writes the local file only when the whole remote file arrived: it is received
//       into a temporary file beside the local one and renamed over it, so a missing remote
//       file, a refused login or a broken connection leaves no local file and an old one
//       untouched.
//   F3  after a refused login every command up to the next "open" says "Not connected.".
//   F4  the exit status is 0 when every command succeeded, 1 otherwise; 2 for a script that
//       cannot be read.
#include <curl/curl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string lower(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

class Session {
 public:
  Session() : curl_(curl_easy_init()) {}
  ~Session() { curl_easy_cleanup(curl_); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void open(const std::string& host, const std::string& port) {
    host_ = host;
    port_ = port;
    folder_.clear();
    connected_ = false;
    std::cout << "Connected to " << host << ".\n";
  }
  void setUser(const std::string& user) { user_ = user; }
  // The password completes the login, which is tried at once (F3).
  bool login(const std::string& password) {
    password_ = password;
    connected_ = true;
    if (!perform(directoryUrl(folder_), Request::Probe)) {
      connected_ = false;
      std::cout << "530 Login incorrect.\nLogin failed.\n";
      return false;
    }
    std::cout << "230 User " << user_ << " logged in.\n";
    return true;
  }

  bool cd(const std::string& path) {
    if (!connectedOrSay()) return false;
    std::vector<std::string> target = path.starts_with("/") ? std::vector<std::string>{} : folder_;
    std::istringstream parts(path);
    for (std::string part; std::getline(parts, part, '/');) {
      if (part.empty() || part == ".") continue;
      if (part == "..") {
        if (!target.empty()) target.pop_back();
      } else {
        target.push_back(part);
      }
    }
    if (!perform(directoryUrl(target), Request::Probe)) {
      std::cout << "550 " << path << ": No such file or directory.\n";
      return false;
    }
    folder_ = std::move(target);
    std::cout << "250 CWD command successful.\n";
    return true;
  }

  void setText(bool text) {
    text_ = text;
    std::cout << (text ? "200 Type set to A.\n" : "200 Type set to I.\n");
  }

  bool put(const std::string& local, const std::string& remote) {
    if (!connectedOrSay()) return false;
    FILE* in = std::fopen(local.c_str(), "rb");
    if (in == nullptr) {
      std::cout << local << ": File not found\n";
      return false;
    }
    std::error_code ec;
    const auto size = fs::file_size(local, ec);
    curl_easy_setopt(curl_, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl_, CURLOPT_READDATA, in);
    curl_easy_setopt(curl_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(ec ? 0 : size));
    const bool ok = perform(fileUrl(remote), Request::Transfer);
    curl_easy_setopt(curl_, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl_, CURLOPT_READDATA, nullptr);
    std::fclose(in);
    std::cout << (ok ? "226 Transfer complete.\n" : "553 Could not create file.\n");
    return ok;
  }

  bool get(const std::string& remote, const std::string& local) {
    if (!connectedOrSay()) return false;
    const fs::path target(local);
    const fs::path part = target.parent_path() / ("." + target.filename().string() + ".part");
    FILE* out = std::fopen(part.c_str(), "wb");
    if (out == nullptr) {
      std::cout << "local: " << local << ": cannot create\n";
      return false;
    }
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, out);
    bool ok = perform(fileUrl(remote), Request::Transfer);
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, nullptr);
    ok = std::fclose(out) == 0 && ok;
    std::error_code ec;
    if (ok) fs::rename(part, target, ec);
    if (!ok || ec) fs::remove(part, ec);
    std::cout << (ok ? "226 Transfer complete.\n" : "550 " + remote + ": No such file or directory.\n");
    return ok;
  }

  bool rename(const std::string& from, const std::string& to) {
    if (!connectedOrSay()) return false;
    curl_slist* commands = curl_slist_append(nullptr, ("RNFR " + from).c_str());
    commands = curl_slist_append(commands, ("RNTO " + to).c_str());
    curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, commands);
    const bool ok = perform(directoryUrl(folder_), Request::Probe);
    curl_easy_setopt(curl_, CURLOPT_POSTQUOTE, nullptr);
    curl_slist_free_all(commands);
    std::cout << (ok ? "250 Rename successful.\n" : "550 " + from + ": cannot rename.\n");
    return ok;
  }

 private:
  enum class Request { Probe, Transfer };

  bool connectedOrSay() {
    if (!connected_) std::cout << "Not connected.\n";
    return connected_;
  }

  std::string base() const { return "ftp://" + host_ + (port_.empty() ? "" : ":" + port_) + "/"; }
  std::string escaped(const std::string& part) const {
    char* e = curl_easy_escape(curl_, part.c_str(), static_cast<int>(part.size()));
    std::string out = e != nullptr ? e : "";
    curl_free(e);
    return out;
  }
  std::string directoryUrl(const std::vector<std::string>& folder) const {
    std::string url = base();
    for (const std::string& part : folder) url += escaped(part) + "/";
    return url;
  }
  std::string fileUrl(const std::string& name) const {
    std::vector<std::string> folder = folder_;
    std::istringstream parts(name);
    std::vector<std::string> pieces;
    for (std::string part; std::getline(parts, part, '/');)
      if (!part.empty()) pieces.push_back(part);
    if (pieces.empty()) return directoryUrl(folder);
    const std::string file = pieces.back();
    pieces.pop_back();
    if (name.starts_with("/")) folder.clear();
    for (const std::string& p : pieces) folder.push_back(p);
    return directoryUrl(folder) + escaped(file);
  }

  bool perform(const std::string& url, Request kind) {
    curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl_, CURLOPT_USERNAME, user_.c_str());
    curl_easy_setopt(curl_, CURLOPT_PASSWORD, password_.c_str());
    curl_easy_setopt(curl_, CURLOPT_NOBODY, kind == Request::Probe ? 1L : 0L);
    curl_easy_setopt(curl_, CURLOPT_TRANSFERTEXT, text_ ? 1L : 0L);
    curl_easy_setopt(curl_, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_MULTICWD));
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(curl_, CURLOPT_FTP_RESPONSE_TIMEOUT, 120L);
    const CURLcode rc = curl_easy_perform(curl_);
    if (rc != CURLE_OK) std::cerr << "ftp: " << curl_easy_strerror(rc) << "\n";
    return rc == CURLE_OK;
  }

  CURL* curl_;
  std::string host_, port_, user_, password_;
  std::vector<std::string> folder_;
  bool connected_ = false;
  bool text_ = false;
};

// Runs the script; false when some command failed (F4).
bool runScript(std::istream& script) {
  Session s;
  enum class Expect { Command, User, Password } expect = Expect::Command;
  bool ok = true;
  for (std::string line; std::getline(script, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (expect == Expect::User) {
      s.setUser(line);
      expect = Expect::Password;
      continue;
    }
    if (expect == Expect::Password) {
      ok = s.login(line) && ok;
      expect = Expect::Command;
      continue;
    }
    const std::vector<std::string> w = words(line);
    if (w.empty()) continue;
    const std::string command = lower(w[0]);
    std::cout << "ftp> " << command;
    for (std::size_t i = 1; i < w.size(); ++i) std::cout << ' ' << w[i];
    std::cout << '\n';
    if (command == "open" && w.size() >= 2) {
      s.open(w[1], w.size() >= 3 ? w[2] : "");
      expect = Expect::User;
    } else if (command == "user" && w.size() >= 3) {
      s.setUser(w[1]);
      ok = s.login(w[2]) && ok;
    } else if (command == "user" && w.size() == 2) {
      s.setUser(w[1]);
      expect = Expect::Password;
    } else if (command == "cd" && w.size() >= 2) {
      ok = s.cd(w[1]) && ok;
    } else if (command == "binary" || command == "bin") {
      s.setText(false);
    } else if (command == "ascii") {
      s.setText(true);
    } else if ((command == "put" || command == "send") && w.size() >= 2) {
      ok = s.put(w[1], w.size() >= 3 ? w[2] : fs::path(w[1]).filename().string()) && ok;
    } else if ((command == "get" || command == "recv") && w.size() >= 2) {
      ok = s.get(w[1], w.size() >= 3 ? w[2] : fs::path(w[1]).filename().string()) && ok;
    } else if (command == "rename" && w.size() >= 3) {
      ok = s.rename(w[1], w[2]) && ok;
    } else if (command == "quit" || command == "bye") {
      std::cout << "221 Goodbye.\n";
      break;
    } else if (command == "close" || command == "disconnect" || command == "prompt" || command == "hash") {
      continue;
    } else {
      std::cout << "Invalid command.\n";
      ok = false;
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::string scriptName;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (lower(a).starts_with("-s:")) scriptName = a.substr(3);
  }
  if (scriptName.empty()) {
    std::cerr << "usage: ftp -s:SCRIPT\n";
    return 2;
  }
  std::ifstream script(scriptName, std::ios::binary);
  if (!script) {
    std::cerr << "ftp: cannot read " << scriptName << "\n";
    return 2;
  }
  curl_global_init(CURL_GLOBAL_DEFAULT);
  const bool ok = runScript(script);
  curl_global_cleanup();
  return ok ? 0 : 1;
}
