// tests/testkit/precompiled.hpp — the headers nearly every test includes, compiled once for
// all test programs (each test program reuses testkit's precompiled copy). Only the test
// framework and the standard library belong here: a project header would make every test
// recompile when it changes.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>
