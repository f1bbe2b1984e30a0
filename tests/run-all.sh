#!/usr/bin/env bash
# Installs what the build needs (Debian packages), builds everything with AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs every test suite. Exits non-zero on any failure.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${OLVANE_BUILD_DIR:-$here/build-tests}

# The real-USB suites run libusb against units that umockdev emulates; the fuzzers need
# clang with libFuzzer's runtime.
olvane_extra_packages=(umockdev libumockdev-dev clang libclang-rt-14-dev xvfb)
source "$here/tools/install-packages.sh"

# The fuzzers first, for a bounded time, so that CTest's summary closes the output.
bash "$here/tests/fuzz/run-fuzz.sh" "${OLVANE_FUZZ_SECONDS:-60}"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DOLVANE_SANITIZE=ON
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
