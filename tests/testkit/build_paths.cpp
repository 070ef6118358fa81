// tests/testkit/build_paths.cpp — the one file that carries the build's absolute paths.
#include "testkit/build_paths.hpp"

namespace testkit {

std::filesystem::path sourceDir() { return ZEL_SOURCE_DIR; }
std::string toolPath() { return ZEL_TOOL; }
std::string programPath() { return ZEL_PROGRAM; }
std::filesystem::path binaryDir() { return ZEL_BINARY_DIR; }

std::filesystem::path fixture(const std::string& name) {
  return sourceDir() / "tests" / "fixtures" / "xbase" / name;
}

}  // namespace testkit
