#!/usr/bin/env bash
# Tries the panel without hardware: installs what is missing on a Debian machine (as
# tests/run-all.sh does), builds both programs in a release build in build/ (so that the
# README's install steps work on it) and starts the demo, the panel with one emulated Tarvik.
# Arguments go to the demo: --pelvo emulates a Pelvo instead.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${OLVANE_BUILD_DIR:-$here/build}

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
    echo "No display to show the panel on. Start it from a desktop session." >&2
    exit 1
fi

source "$here/tools/install-packages.sh"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)" --target olvane-panel olvane-demo
exec "$build/app/olvane-demo" "$@"
