// src/print/ports.cpp — the port table and the two kinds of port.
//
// A device file is written with plain POSIX calls, not through sys::Env: a printer device
// is a stream (pwrite at an offset fails on it), and nothing else of the program writes one.
#include "print/ports.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "print/page/cups_queue.hpp"
#include "rt/codepage.hpp"

namespace print {
namespace {

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(" \t\r") - first + 1));
}

class QueuePort final : public Port {
 public:
  QueuePort(std::string server, std::string queue, std::string title)
      : server_(std::move(server)), queue_(std::move(queue)), title_(std::move(title)) {}
  Readiness readiness() override {
    return page::queueState(server_, queue_) == page::QueueState::Ready ? Readiness::Ready : Readiness::NotReady;
  }
  base::Status write(std::string_view bytes, std::size_t& sent) override {
    base::Status st = page::submitJob(server_, queue_, title_, "application/vnd.cups-raw", bytes.substr(sent));
    if (st) sent = bytes.size();
    return st;
  }

 private:
  std::string server_, queue_, title_;
};

class DevicePort final : public Port {
 public:
  explicit DevicePort(std::string path) : path_(std::move(path)) {}
  ~DevicePort() override { close(); }
  Readiness readiness() override { return open() ? Readiness::Ready : Readiness::NotReady; }
  base::Status write(std::string_view bytes, std::size_t& sent) override {
    if (!open()) return base::Status(base::Errc::Io, path_ + ": " + std::strerror(errno));
    while (sent < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        const int e = errno;
        close();  // the next try opens the device afresh
        return base::Status(base::Errc::Io, path_ + ": " + std::strerror(e));
      }
      sent += static_cast<std::size_t>(n);
    }
    return base::Status::ok();
  }

 private:
  bool open() {
    if (fd_ >= 0) return true;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
    return fd_ >= 0;
  }
  void close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  std::string path_;
  int fd_ = -1;
};

}  // namespace

PortTable PortTable::parse(std::string_view text) {
  PortTable t;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    // A comment begins with "#" at the start of a line or after a blank ("DANE#01" is a name).
    for (std::size_t hash = line.find('#'); hash != std::string_view::npos; hash = line.find('#', hash + 1)) {
      if (hash == 0 || line[hash - 1] == ' ' || line[hash - 1] == '\t') {
        line = line.substr(0, hash);
        break;
      }
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string name = rt::upperCp852(trimmed(line.substr(0, eq)));
    const std::string target = trimmed(line.substr(eq + 1));
    if (name.empty() || target.empty()) continue;
    if (name == "CUPS") {
      t.server_ = target;
    } else if (target.rfind("cups:", 0) == 0 || target.rfind("CUPS:", 0) == 0) {
      t.entries_.push_back({name, {PortTarget::Type::Queue, trimmed(target.substr(5))}});
    } else if (target.front() == '/') {
      t.entries_.push_back({name, {PortTarget::Type::Device, target}});
    }
  }
  return t;
}

PortTable PortTable::read(sys::Env& env, const std::string& file) {
  auto f = env.open(file, sys::Access::ReadOnly);
  if (!f) return {};
  std::string text(64 * 1024, '\0');
  auto n = (*f)->readAt(0, std::as_writable_bytes(std::span(text.data(), text.size())));
  if (!n) return {};
  text.resize(*n);
  return parse(text);
}

std::optional<PortTarget> PortTable::find(std::string_view port) const {
  const std::string key = rt::upperCp852(trimmed(port));
  for (const auto& [name, target] : entries_)
    if (name == key) return target;
  return std::nullopt;
}

std::unique_ptr<Port> openPort(const PortTable& table, std::string_view name, std::string title) {
  const auto target = table.find(name);
  if (!target) return nullptr;
  if (target->type == PortTarget::Type::Queue)
    return std::make_unique<QueuePort>(table.server(), target->name, std::move(title));
  return std::make_unique<DevicePort>(target->name);
}

}  // namespace print
