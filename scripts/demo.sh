#!/usr/bin/env bash
# Installs what is needed, builds, lays out a demonstration installation in demo/ and
# starts station 01 on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
mkdir -p demo
cd demo
exec ../build/src/app/zelmoran 01
