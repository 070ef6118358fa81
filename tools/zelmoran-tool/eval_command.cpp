// tools/zelmoran-tool/eval_command.cpp — zelmoran-tool eval.
#include <cstdio>

#include "commands.hpp"

namespace tool {

int evalCommand(Args /*args*/) {
  std::fprintf(stderr, "zelmoran-tool eval: not available yet\n");
  return 2;
}

}  // namespace tool
