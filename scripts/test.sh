#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: first the optimised build, then
# the tests again under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build && ctest --output-on-failure -j"$(nproc)")
bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DZEL_SANITIZE=ON -DZEL_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$(nproc)")
