// tools/zelmoran-tool/verify_command.cpp — zelmoran-tool verify.
#include <cstdio>

#include "commands.hpp"

namespace tool {

int verifyCommand(Args /*args*/) {
  std::fprintf(stderr, "zelmoran-tool verify: not available yet\n");
  return 2;
}

}  // namespace tool
