// tools/zelmoran-tool/commands.hpp — the sub-commands of zelmoran-tool, one file each.
// Each takes the arguments after its name and returns the process exit status:
// 0 done, 1 a check failed (verify), 2 bad usage or an error (one line on stderr).
#pragma once

#include <span>
#include <string_view>

namespace tool {

using Args = std::span<const char* const>;

int evalCommand(Args args);
int dumpCommand(Args args);
int verifyCommand(Args args);
int indexCommand(Args args);
int keysCommand(Args args);
int browseCommand(Args args);
int mkinstCommand(Args args);
int mkdemoCommand(Args args);
int printCommand(Args args);

}  // namespace tool
