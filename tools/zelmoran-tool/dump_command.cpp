// tools/zelmoran-tool/dump_command.cpp — zelmoran-tool dump.
#include <cstdio>

#include "commands.hpp"

namespace tool {

int dumpCommand(Args /*args*/) {
  std::fprintf(stderr, "zelmoran-tool dump: not available yet\n");
  return 2;
}

}  // namespace tool
