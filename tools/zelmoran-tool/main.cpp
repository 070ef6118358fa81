// tools/zelmoran-tool/main.cpp — the administrators' and developers' command line:
// dispatches to one sub-command.
#include <cstdio>
#include <cstring>

#include "commands.hpp"

namespace {

struct Command {
  const char* name;
  int (*run)(tool::Args);
  const char* usage;
};

constexpr Command kCommands[] = {
    {"eval", tool::evalCommand, "eval [--date YYYYMMDD] [--set NAME=EXPR]... 'EXPRESSION'"},
    {"dump", tool::dumpCommand, "dump [--utf8] TABLE"},
    {"verify", tool::verifyCommand, "verify [--config CONFIG.DBF] TABLE [INDEX...]"},
    {"index", tool::indexCommand,
     "index TABLE INDEXFILE 'KEY' [--for 'COND'] [--unique] [--descend]\n"
     "  zelmoran-tool index PROGRAM_FOLDER [--group G] [--delete-all]"},
    {"keys", tool::keysCommand, "keys"},
    {"browse", tool::browseCommand, "browse TABLE [INDEX...] [--edit SCREEN [--view Vn]] [--write]"},
    {"mkinst", tool::mkinstCommand, "mkinst SOURCE TARGET [--force]"},
    {"print", tool::printCommand, "print FILE.prn --pdf OUT.pdf [--from LAT|MAZ|ISO|WIN] [--landscape]"},
    {"mkdemo", tool::mkdemoCommand, "mkdemo TARGET [--role hq|ph01] [--scale N] [--data SOURCE] [--force]"},
};

int usage() {
  std::fprintf(stderr, "usage: zelmoran-tool COMMAND ...\n");
  for (const Command& c : kCommands) std::fprintf(stderr, "  zelmoran-tool %s\n", c.usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  for (const Command& c : kCommands)
    if (std::strcmp(argv[1], c.name) == 0) return c.run(tool::Args(argv + 2, static_cast<std::size_t>(argc - 2)));
  return usage();
}
