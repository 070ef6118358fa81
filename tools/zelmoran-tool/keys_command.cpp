// tools/zelmoran-tool/keys_command.cpp — zelmoran-tool keys.
#include <cstdio>

#include "commands.hpp"

namespace tool {

int keysCommand(Args /*args*/) {
  std::fprintf(stderr, "zelmoran-tool keys: not available yet\n");
  return 2;
}

}  // namespace tool
