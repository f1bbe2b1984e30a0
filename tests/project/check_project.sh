#!/usr/bin/env bash
# The project as another CMake project and a packager meet it: added with add_subdirectory
# to a host project (every path must come from our own source folder, none from the host's),
# with CTest's BUILD_TESTING off (the two programs and their libraries, no suite, no
# benchmark), then installed with --prefix and with DESTDIR (nothing outside those folders).
# Usage: check_project.sh SOURCE_DIR WORK_DIR
set -euo pipefail

src=$1
work=$2
rm -rf "$work"
mkdir -p "$work/host"
fail() { echo "FAIL: $*"; exit 1; }

cat >"$work/host/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.16)
project(host LANGUAGES CXX C)
add_subdirectory("$src" olvane)
CMAKE

# With the suites on, configuring alone already finds every path that is taken from the
# host's folders instead of ours.
cmake -S "$work/host" -B "$work/with-tests" -DBUILD_TESTING=ON >"$work/with-tests.log" 2>&1 ||
    { cat "$work/with-tests.log"; fail "the project does not configure inside a host project"; }

cmake -S "$work/host" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configure without tests"; }
cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 ||
    { tail -40 "$work/build.log"; fail "build without tests"; }

for program in olvane-panel olvane-demo; do
    [[ -x $work/build/olvane/app/$program ]] || fail "$program was not built"
done
extra=$(find "$work/build" -type f -perm -u+x \( -name 'tst_*' -o -name 'bench_*' -o -name 'fuzz_*' \))
[[ -z $extra ]] || fail "BUILD_TESTING=OFF still built: $extra"
[[ ! -e $work/build/olvane/tests ]] || fail "BUILD_TESTING=OFF still configured the suites"

# Installs as a user without rights elsewhere would: everything lands under the prefix,
# or under DESTDIR, and nowhere else.
# The manifest names the paths under the prefix; DESTDIR, when given, stands before them.
check_manifest() {
    local root=$1 manifest=$2 destdir=${3:-}
    [[ -s $manifest ]] || fail "nothing was installed"
    while IFS= read -r path; do
        [[ $path == "$root"/* ]] || fail "installed outside $root: $path"
        [[ -e $destdir$path ]] || fail "listed but missing: $destdir$path"
    done <"$manifest"
    for want in bin/olvane-panel share/applications/olvane-panel.desktop \
        share/icons/hicolor/32x32/apps/olvane-panel.png lib/udev/rules.d/70-olvane.rules; do
        grep -qxF "$root/$want" "$manifest" || fail "not installed: $want under $root"
    done
}
cmake --install "$work/build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "install with --prefix"; }
check_manifest "$work/prefix" "$work/build/install_manifest.txt"

# A prefix that exists nowhere on this machine, so a write past DESTDIR would show.
staged=/olvane-staged-$$
DESTDIR="$work/dest" cmake --install "$work/build" --prefix "$staged" >"$work/destdir.log" 2>&1 ||
    { cat "$work/destdir.log"; fail "install with DESTDIR"; }
check_manifest "$staged" "$work/build/install_manifest.txt" "$work/dest"
[[ ! -e $staged ]] || fail "the DESTDIR install wrote into $staged itself"

echo "PASS: the project builds inside a host project without tests and installs under its prefix"
