// tools/zelmoran-tool/mkinst_command.cpp — zelmoran-tool mkinst SOURCE TARGET [--force]
// Builds a new installation in TARGET from the installation data in SOURCE (data/ of the
// checkout): every table of the catalogue, the start-up indexes, the station folders and
// the default colours. Prints "OK TARGET: n tables, m rows, stations ..."; a bad source
// line is reported as "file:line: what is wrong" on stderr with status 2.
#include <cstdio>
#include <string>
#include <string_view>

#include "commands.hpp"
#include "inst_builder.hpp"
#include "sys/posix_env.hpp"

namespace tool {

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "zelmoran-tool mkinst: %s\n", message.c_str());
  return 2;
}

}  // namespace

int mkinstCommand(Args args) {
  InstOptions options;
  std::string positional[2];
  std::size_t count = 0;
  for (const char* arg : args) {
    const std::string_view a = arg;
    if (a == "--force")
      options.force = true;
    else if (a.starts_with("--") || count == 2)
      return fail("usage: mkinst SOURCE TARGET [--force]");
    else
      positional[count++] = arg;
  }
  if (count != 2) return fail("usage: mkinst SOURCE TARGET [--force]");
  options.source = positional[0];
  options.target = positional[1];
  sys::PosixEnv env;
  sys::SystemClock clock;
  try {
    std::printf("%s\n", describe(options.target, buildInstallation(env, clock, options)).c_str());
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  return 0;
}

}  // namespace tool
