// tools/zelmoran-tool/index_command.cpp — zelmoran-tool index.
#include <cstdio>

#include "commands.hpp"

namespace tool {

int indexCommand(Args /*args*/) {
  std::fprintf(stderr, "zelmoran-tool index: not available yet\n");
  return 2;
}

}  // namespace tool
