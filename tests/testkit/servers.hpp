// tests/testkit/servers.hpp — real FTP and SMTP servers for the exchange tests: each runs
// as a child process (Debian's python3-pyftpdlib and python3-aiosmtpd) on a free port of
// the loopback address, over a temporary folder of its own, and is stopped when the object
// goes. Nothing leaves the machine.
//
//   testkit::FtpServer ftp("dorvik", "secret");         // home: ftp.root()
//   std::filesystem::create_directories(ftp.root() / "TALMER" / "DANE_01");
//   ... the program uploads to 127.0.0.1:ftp.port() ...
//   testkit::SmtpServer smtp("kalvero", "secret");      // AUTH required
//   auto mails = smtp.messages();                       // in the order they arrived
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "testkit/temp_dir.hpp"

namespace testkit {

// A server process: started with its arguments, it prints its port on the first line.
class ServerProcess {
 public:
  ServerProcess(const std::string& script, const std::vector<std::string>& args);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  int port() const { return port_; }

 private:
  void stop();
  int pid_ = -1;
  int port_ = 0;
};

class FtpServer {
 public:
  FtpServer(const std::string& user, const std::string& password);
  int port() const { return process_.port(); }
  const std::filesystem::path& root() const { return dir_.path(); }

 private:
  TempDir dir_;
  ServerProcess process_;
};

struct Mail {
  std::string from;
  std::vector<std::string> to;
  std::string login;    // the name the client authenticated with
  std::string subject;  // decoded
  std::string body;     // the first text part, decoded, bytes as sent
  std::map<std::string, std::string> attachments;  // file name -> bytes
  std::string raw;      // the message as received
};

class SmtpServer {
 public:
  SmtpServer(const std::string& user, const std::string& password);
  int port() const { return process_.port(); }
  std::vector<Mail> messages() const;

 private:
  TempDir dir_;
  ServerProcess process_;
};

}  // namespace testkit
