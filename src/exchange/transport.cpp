// src/exchange/transport.cpp — scripts, command lines and batch files, and running them
// (rules in the header).
#include "exchange/transport.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "rt/codepage.hpp"
#include "rt/runtime.hpp"
#include "sys/command.hpp"

namespace exchange {
namespace {

using rt::literals::operator""_pl;
namespace fs = std::filesystem;

constexpr std::string_view kCrLf = "\r\n";

std::string trimmedVar(const rt::Runtime& rt, std::string_view name) {
  const rt::Value* v = rt.vars().find(name);
  if (v == nullptr || !v->isText()) return {};
  const std::string& s = v->text();
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// T1: what a value of a script or a command line may hold.
enum class Blanks { Allowed, Refused };

bool usable(std::string_view value, Blanks blanks) {
  for (unsigned char ch : value) {
    if (ch < 0x20 || ch == 0x7F) return false;
    if (ch == ' ' && blanks == Blanks::Refused) return false;
  }
  return true;
}

// A server: a host name or address, optionally followed by a blank and a port number, as
// an FTP "open" line takes them.
bool usableHost(std::string_view value) {
  const std::size_t blank = value.find(' ');
  const std::string_view name = value.substr(0, blank);
  if (name.empty()) return false;
  for (unsigned char ch : name)
    if (!std::isalnum(ch) && ch != '.' && ch != '-' && ch != '_' && ch != ':') return false;
  if (blank == std::string_view::npos) return true;
  const std::string_view port = value.substr(blank + 1);
  return !port.empty() && std::all_of(port.begin(), port.end(), [](unsigned char ch) { return std::isdigit(ch); });
}

base::Status refused(std::string_view setting) {
  return base::Status(base::Errc::Invalid,
                      "Niedozwolony znak w ustawieniu "_pl + std::string(setting) + " !");
}

std::string lines(const std::vector<std::string>& text) {
  std::string out;
  for (const std::string& line : text) out += line + std::string(kCrLf);
  return out;
}

}  // namespace

Programs Programs::besideExecutable() { return in(sys::executableFolder()); }

Programs Programs::in(const std::string& folder) {
  Programs p;
  p.folder = folder;
  std::error_code ec;
  p.arj = fs::is_regular_file(fs::path(folder) / "arj", ec) ? (fs::path(folder) / "arj").string() : "/usr/bin/arj";
  return p;
}

sys::BatchPrograms Programs::batchPrograms() const {
  return {{"ftp", {(fs::path(folder) / "zelmoran-ftp").string(), sys::Arguments::Words}},
          {"smtpsend", {(fs::path(folder) / "zelmoran-smtpsend").string(), sys::Arguments::Tail}},
          {"arj", {arj, sys::Arguments::Words}}};
}

FtpAccount ftpAccount(const rt::Runtime& rt, FtpSet set) {
  if (set == FtpSet::Main)
    return {trimmedVar(rt, "_FTP_OPEN"), trimmedVar(rt, "_FTP_LOGIN"), trimmedVar(rt, "_FTP_PASS"),
            trimmedVar(rt, "_FTP_PATH")};
  return {trimmedVar(rt, "_FTP_OPEN2"), trimmedVar(rt, "_FTP_LOGI2"), trimmedVar(rt, "_FTP_PASS2"),
          trimmedVar(rt, "_FTP_PATH2")};
}

MailMessage mailSettings(const rt::Runtime& rt) {
  MailMessage m;
  m.from = trimmedVar(rt, "_MAIL_FROM");
  m.host = trimmedVar(rt, "_MAIL_HOST");
  m.port = trimmedVar(rt, "_MAIL_PORT");
  m.login = trimmedVar(rt, "_MAIL_USER");
  m.password = trimmedVar(rt, "_MAIL_PASS");
  return m;
}

std::string scriptText(const FtpScript& s) {
  std::vector<std::string> out{"open " + s.account.host, s.account.login, s.account.password,
                               "cd " + s.account.path, "cd " + s.folder};
  for (const auto& [from, to] : s.renames) out.push_back("rename " + from + " " + to);
  for (const FtpFile& f : s.files) {
    out.push_back("binary");
    out.push_back(f.way == FtpFile::Way::Put ? "put " + f.local : "get " + f.remote + " " + f.local);
  }
  out.push_back("quit");
  return lines(out);
}

std::string mailCommandLine(const MailMessage& m) {
  std::string line = "smtpsend -f" + m.from;
  for (const std::string& to : m.to) line += " -t" + to;
  line += " -h" + m.host + " -p" + m.port + " -i" + m.bodyFile + " -lu" + m.login + " -lp" + m.password;
  for (const std::string& a : m.attachments) line += " -a" + a;
  return line + " -s" + m.subject;
}

std::string batchText(std::string_view command) { return lines({"cls", std::string(command)}); }

base::Status checkSettings(const FtpScript& s) {
  if (!usableHost(s.account.host)) return refused("FTP_OPEN");
  if (!usable(s.account.login, Blanks::Refused)) return refused("FTP_LOGIN");
  if (!usable(s.account.password, Blanks::Allowed)) return refused("FTP_PASS");
  if (!usable(s.account.path, Blanks::Refused)) return refused("FTP_PATH");
  if (!usable(s.folder, Blanks::Refused)) return refused("DANE");
  for (const FtpFile& f : s.files)
    if (!usable(f.local, Blanks::Refused) || !usable(f.remote, Blanks::Refused)) return refused("FOLDER");
  return {};
}

base::Status checkSettings(const MailMessage& m) {
  if (!usable(m.from, Blanks::Refused)) return refused("MAIL_FROM");
  for (const std::string& to : m.to)
    if (!usable(to, Blanks::Refused) || to.empty()) return refused("MAIL");
  if (!usableHost(m.host) || m.host.find(' ') != std::string::npos) return refused("MAIL_HOST");
  if (!usable(m.port, Blanks::Refused)) return refused("MAIL_PORT");
  if (!usable(m.login, Blanks::Refused)) return refused("MAIL_USER");
  if (!usable(m.password, Blanks::Allowed) || m.password.find(" -") != std::string::npos) return refused("MAIL_PASS");
  for (const std::string& a : m.attachments)
    if (!usable(a, Blanks::Refused)) return refused("FOLDER");
  if (!usable(m.subject, Blanks::Allowed) || !usable(m.bodyFile, Blanks::Refused)) return refused("MAIL");
  return {};
}

base::Status writeWorkingFile(ui::Context& c, std::string_view name, const std::string& bytes, Secret secret) {
  const std::string path = c.paths.resolve(name);
  // A new file each time: an old one (perhaps readable by others) goes first, so the
  // permissions of the one written are the ones asked for.
  std::error_code ec;
  fs::remove(path, ec);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, secret == Secret::Yes ? 0600 : 0644);
  if (fd < 0) return base::Status(base::Errc::Io, "Nie można zapisać pliku "_pl + path);
  const bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  if (::close(fd) != 0 || !ok) return base::Status(base::Errc::Io, "Nie można zapisać pliku "_pl + path);
  return {};
}

void removeWorkingFile(ui::Context& c, std::string_view name) {
  const std::string path = c.paths.resolve(name);
  std::error_code ec;
  fs::remove(path, ec);
}

Transport::Transport(ui::Context& c, Programs programs) : c_(c), programs_(std::move(programs)) {}

base::Status Transport::runBatchFile(std::string_view batchName) {
  const std::string file = c_.paths.resolve(batchName);
  base::Status status;
  c_.con.runOutside([&] {
    auto r = sys::runBatch(file, c_.paths.programFolder(), programs_.batchPrograms());
    if (!r) status = r.error();
  });
  return status;
}

base::Status Transport::runFtp(std::string_view batchName, std::string_view scriptName, const FtpScript& s) {
  if (base::Status ok = checkSettings(s); !ok) return ok;
  if (base::Status ok = writeWorkingFile(c_, scriptName, scriptText(s), Secret::Yes); !ok) return ok;
  base::Status status = writeWorkingFile(c_, batchName, batchText("ftp -s:" + std::string(scriptName)), Secret::No);
  if (status) status = runBatchFile(batchName);
  removeWorkingFile(c_, scriptName);
  return status;
}

base::Status Transport::sendMail(std::string_view batchName, std::string_view bodyName,
                                 const std::vector<std::string>& body, const MailMessage& m) {
  if (base::Status ok = checkSettings(m); !ok) return ok;
  if (!body.empty())
    if (base::Status ok = writeWorkingFile(c_, bodyName, lines(body), Secret::No); !ok) return ok;
  return runMailLine(batchName, mailCommandLine(m));
}

base::Status Transport::runMailLine(std::string_view batchName, const std::string& commandLine) {
  if (!usable(commandLine, Blanks::Allowed)) return refused("MAIL");
  base::Status status = writeWorkingFile(c_, batchName, batchText(commandLine), Secret::Yes);
  if (status) status = runBatchFile(batchName);
  removeWorkingFile(c_, batchName);
  return status;
}

void Transport::runArchiver(const std::vector<std::string>& arguments, const std::string& folder) {
  std::vector<std::string> argv{programs_.arj};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  c_.con.runOutside([&] { (void)sys::runProgram(argv, folder, sys::Output::Discard); });
}

}  // namespace exchange
