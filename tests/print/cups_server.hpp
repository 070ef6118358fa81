// tests/print/cups_server.hpp — a CUPS scheduler of the test's own: its configuration, spool
// and logs in a temporary folder, listening on a free port of the loopback address, with
// queues whose device is a file of that folder. No system queue or setting is touched.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "testkit/temp_dir.hpp"

namespace printtest {

class CupsServer {
 public:
  struct Queue {
    std::string name;
    bool accepting = true;
  };
  explicit CupsServer(const std::vector<Queue>& queues);
  ~CupsServer();
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  bool running() const { return running_; }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  // The device file of a queue.
  std::string device(const std::string& queue) const;
  // What the queue's device received, once it holds at least `size` bytes (or after 20 s).
  std::string received(const std::string& queue, std::size_t size) const;
  std::string log() const;

 private:
  testkit::TempDir dir_;
  int port_ = 0;
  pid_t pid_ = -1;
  bool running_ = false;
};

}  // namespace printtest
