// src/exchange/transport.hpp — how the exchange operations move files: FTP scripts, mail
// command lines, their batch files, and running them with the transfer programs and the
// archiver. Every exchange operation builds its inputs here, so they all have one shape:
//
//   FTP script (CR LF): "open " host / login / password / "cd " base folder /
//     "cd DANE_nn" / "rename A B"... / for each file "binary" and "put LOCAL" or
//     "get REMOTE LOCAL" / "quit".
//   Mail command line: "smtpsend -f" sender, " -t" + each recipient, " -h" host, " -p" port,
//     " -i" body file, " -lu" login, " -lp" password, " -a" + each attachment, " -s" subject.
//   Batch file (CR LF): "cls" and the command.
//
//   exchange::Transport t(c, programs);
//   exchange::FtpScript s{exchange::ftpAccount(c.rt, exchange::FtpSet::Main), "DANE_07"};
//   s.files.push_back({exchange::FtpFile::Way::Put, "", c.paths.resolve(folder + "DANE_07.ARJ")});
//   if (auto r = t.runFtp("fsent.bat", "fsent.scr", s); !r) ui::QKE(c, r.message());
//
// Rules:
//   T1  values that reach a script or a command line are checked first (checkSettings):
//       none may hold a control character (so nothing can add a line to a script), hosts,
//       logins, folders and addresses no blank, a mail password no " -". A refused value
//       runs nothing and gives Errc::Invalid with the message to show.
//   T2  the files that hold a password (the FTP script, the mail batch file) are created
//       readable and writable by their owner only, and deleted as soon as their run ends,
//       whatever the run did. The FTP batch file and the mail body stay.
//   T3  the batch files run through sys::runBatch in the program folder with the terminal
//       lent to them; "ftp", "smtpsend" and "arj" are the project's transfer programs and
//       the system's archiver, started without a shell. Nothing reads their exit status:
//       callers judge a download by the file it left.
//   T4  local paths in scripts and archiver lines are the files' real paths (the DOS-style
//       names of the configuration resolved), so the programs need no path rules of their own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.hpp"
#include "sys/batch.hpp"
#include "ui/context.hpp"

namespace exchange {

// Where the transfer programs and the archiver are.
struct Programs {
  std::string folder;  // holds zelmoran-ftp and zelmoran-smtpsend
  std::string arj;     // the archiver

  // The programs beside the running executable, the archiver there or the system's.
  static Programs besideExecutable();
  static Programs in(const std::string& folder);
  sys::BatchPrograms batchPrograms() const;
};

// One FTP server set of the exchange settings (_FTP_OPEN.. or _FTP_OPEN2..), trimmed.
struct FtpAccount {
  std::string host, login, password, path;
};
enum class FtpSet { Main, Service };
FtpAccount ftpAccount(const rt::Runtime& rt, FtpSet set);

struct FtpFile {
  enum class Way { Put, Get };
  Way way = Way::Put;
  std::string remote;  // the remote name (Get)
  std::string local;   // the local path
};

struct FtpScript {
  FtpAccount account;
  std::string folder;  // "DANE_" + nn
  std::vector<std::pair<std::string, std::string>> renames;
  std::vector<FtpFile> files;
};

struct MailMessage {
  std::string from, host, port, login, password;
  std::vector<std::string> to;
  std::string bodyFile;
  std::vector<std::string> attachments;
  std::string subject;
};
// The sender, host, port, login and password of the exchange settings, trimmed.
MailMessage mailSettings(const rt::Runtime& rt);

std::string scriptText(const FtpScript& s);
std::string mailCommandLine(const MailMessage& m);
std::string batchText(std::string_view command);

// T1. The message names the refused setting.
base::Status checkSettings(const FtpScript& s);
base::Status checkSettings(const MailMessage& m);

class Transport {
 public:
  Transport(ui::Context& c, Programs programs);

  // Writes `scriptName` and `batchName` ("ftp -s:" + script) in the program folder, runs
  // the batch and deletes the script (T1-T3).
  base::Status runFtp(std::string_view batchName, std::string_view scriptName, const FtpScript& s);
  // Writes the body file (lines CR LF; no file when `body` is empty and the name is only
  // referred to), the batch with the mail command line, runs it and deletes the batch.
  base::Status sendMail(std::string_view batchName, std::string_view bodyName, const std::vector<std::string>& body,
                        const MailMessage& m);
  // Writes `batchName` with `commandLine` as it is (checked for control characters only),
  // runs it and deletes it.
  base::Status runMailLine(std::string_view batchName, const std::string& commandLine);
  // One archiver command line (arguments after "arj"), run without a shell in `folder`.
  void runArchiver(const std::vector<std::string>& arguments, const std::string& folder);

  const Programs& programs() const { return programs_; }

 private:
  base::Status runBatchFile(std::string_view batchName);
  ui::Context& c_;
  Programs programs_;
};

// A file of the program folder written whole; `secret` ones are readable by the owner only.
enum class Secret { No, Yes };
base::Status writeWorkingFile(ui::Context& c, std::string_view name, const std::string& bytes, Secret secret);
// Removes a file of the program folder by its name, in any letter case; quiet when absent.
void removeWorkingFile(ui::Context& c, std::string_view name);

}  // namespace exchange
