// tests/testkit/build_paths.hpp — where the tests find the checkout and the built programs.
// The paths are compiled into one translation unit (build_paths.cpp) and nowhere else, so a
// clone in another folder recompiles that one file and takes every other one from the cache.
#pragma once

#include <filesystem>
#include <string>

namespace testkit {

std::filesystem::path sourceDir();   // the checkout: data/, tests/fixtures/
std::string toolPath();              // the built zelmoran-tool
std::string programPath();           // the built station program zelmoran
std::filesystem::path binaryDir();   // the build folder
std::filesystem::path fixture(const std::string& name);  // tests/fixtures/xbase/NAME

}  // namespace testkit
