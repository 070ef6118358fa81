// tools/zelmoran-tool/mkdemo_command.cpp — zelmoran-tool mkdemo (the demo company follows).
#include <cstdio>

#include "commands.hpp"

namespace tool {

int mkdemoCommand(Args) {
  std::fprintf(stderr, "zelmoran-tool mkdemo: not available yet; use mkinst\n");
  return 2;
}

}  // namespace tool
