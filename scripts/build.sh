#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh DIR [cmake options...]
set -euo pipefail
dir=$1; shift
cd "$(dirname "$0")/.."
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)"
