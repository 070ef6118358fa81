#!/usr/bin/env bash
# Configures and builds one build folder:
#   scripts/build.sh DIR [cmake options...] [-- targets...]
# Without targets everything is built. Warnings are errors here (ZEL_WERROR).
set -euo pipefail
dir=$1; shift
options=(); targets=()
while (($#)); do
  if [ "$1" = "--" ]; then shift; targets=("$@"); break; fi
  options+=("$1"); shift
done
cd "$(dirname "$0")/.."
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja -DZEL_WERROR=ON "${options[@]}" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)" ${targets[@]:+--target "${targets[@]}"}
