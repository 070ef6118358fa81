#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with. Quick when they are there.
set -euo pipefail
packages=(g++ cmake ninja-build ccache libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev tmux
          cups cups-daemon cups-client libcups2-dev libhpdf-dev poppler-utils fonts-dejavu-core
          libcurl4-openssl-dev arj python3-pyftpdlib python3-aiosmtpd)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
