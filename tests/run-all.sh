#!/usr/bin/env bash
# Installs what the build needs (Debian packages), builds everything with AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs every test suite. Exits non-zero on any failure.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${OLVANE_BUILD_DIR:-$here/build-tests}

packages=(cmake make g++ pkg-config qtbase5-dev libusb-1.0-0-dev fonts-liberation fonts-droid-fallback unzip openssl python3)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them as root: apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DOLVANE_SANITIZE=ON
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
