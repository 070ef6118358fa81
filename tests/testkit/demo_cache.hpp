// tests/testkit/demo_cache.hpp — demo installations made once per build folder and copied
// into each test that needs one.
//
// ctest runs every test in a process of its own, so a demo built "once per test program"
// is built again for every test; at scale 1 that costs seconds (many more under the
// sanitizers). Here the demo is made by `zelmoran-tool mkdemo` into the build folder
// (test-demos/ROLE-DATE) the first time any test asks, under a file lock so parallel tests
// wait for one build, and made again when the tool or the installation data in data/ are
// newer than it.
#pragma once

#include <filesystem>
#include <string>

namespace testkit {

// Copies the scale-1 demo of `role` ("hq" or "ph01", made with the date `today`, YYYYMMDD)
// into `to` (created when missing; existing files are overwritten).
void copyDemo(const std::string& role, const std::string& today, const std::filesystem::path& to);

}  // namespace testkit
