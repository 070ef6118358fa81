// src/print/ports.hpp — the station's printer ports: which system printer or device file
// stands behind LPT1..LPT3 and behind network shares ("\\SERVER\PRINTER"), read from the
// text file PORTY.TXT in the station folder, and a port opened for one printout.
//
// PORTY.TXT, one entry a line, "#" at the start or after a blank begins a comment, names
// compared without case:
//   LPT1 = cups:Biuro            a CUPS queue; the job goes to it unchanged (raw)
//   LPT2 = /dev/usb/lp0          a device file (it must exist; it is never created)
//   \\SERWER\HP = cups:HP
//   CUPS = 127.0.0.1:631         the CUPS server of the queues (default: the system's)
// A port without an entry is not configured: printing to it is refused with a message.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.hpp"
#include "sys/env.hpp"

namespace print {

struct PortTarget {
  enum class Type { Queue, Device };
  Type type = Type::Queue;
  std::string name;  // the queue, or the device file's path
};

class PortTable {
 public:
  // A missing file gives an empty table; lines that are not "NAME = TARGET" are skipped.
  static PortTable read(sys::Env& env, const std::string& file);
  static PortTable parse(std::string_view text);

  std::optional<PortTarget> find(std::string_view port) const;
  const std::string& server() const { return server_; }

 private:
  std::vector<std::pair<std::string, PortTarget>> entries_;
  std::string server_;
};

inline constexpr std::string_view kPortTableName = "PORTY.TXT";

enum class Readiness { Ready, NotReady };

// One port opened for one printout.
class Port {
 public:
  virtual ~Port() = default;
  virtual Readiness readiness() = 0;
  // Sends bytes[sent..] and advances `sent` past what the printer took. A failure leaves
  // `sent` at the first byte not taken, so printing can go on from there.
  virtual base::Status write(std::string_view bytes, std::size_t& sent) = 0;
};

// The port behind `name` (a port or a share entry), nullptr when the table has none.
std::unique_ptr<Port> openPort(const PortTable& table, std::string_view name, std::string title);

}  // namespace print
