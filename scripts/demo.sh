#!/usr/bin/env bash
# Builds the program, lays out two demonstration installations when they are missing --
# head office in demo/hq and representative 01's copy in demo/ph01 -- and starts a station
# on one of them:
#   scripts/demo.sh                  station 01 of head office
#   scripts/demo.sh ph01             station 01 of the representative's copy
#   scripts/demo.sh hq 02            station 02 of head office (next to a running 01)
# Remove demo/ to start again from fresh data.
set -euo pipefail
role=${1:-hq}
station=${2:-01}
case "$role" in hq|ph01) ;; *) echo "usage: scripts/demo.sh [hq|ph01] [STATION]" >&2; exit 2 ;; esac
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -- zelmoran zelmoran-tool
for r in hq ph01; do
  if [ ! -f "demo/$r/CONFIG.DBF" ]; then
    build/tools/zelmoran-tool mkdemo "demo/$r" --role "$r" --force
  fi
done
cd "demo/$role"
exec ../../build/src/app/zelmoran "$station"
