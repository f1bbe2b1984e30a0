#!/bin/bash
# Builds the libFuzzer targets with clang in a folder of their own and runs each for a bounded
# time on its committed seed corpus. Fails on any crash, leak, time-out or sanitizer report.
#   tests/fuzz/run-fuzz.sh [seconds per target, default 60]
# OLVANE_FUZZ_BUILD names the build folder (default: build-fuzz in the work tree); the inputs
# a run finds are kept in its corpus/ folder and used again by the next run.
set -euo pipefail

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]] || ((seconds < 1)); then
    echo "usage: $0 [seconds per target]" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${OLVANE_FUZZ_BUILD:-$root/build-fuzz}
targets=(fuzz_kxmsg fuzz_answer)

for tool in clang clang++ cmake; do
    command -v "$tool" >/dev/null || {
        echo "run-fuzz: $tool not found (Debian: clang libclang-rt-14-dev cmake)" >&2
        exit 2
    }
done

mkdir -p "$build"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >"$build/configure.log" 2>&1 || { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" -j3 --target "${targets[@]}" >"$build/build.log" 2>&1 ||
    { tail -50 "$build/build.log" >&2; exit 1; }

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=0
for target in "${targets[@]}"; do
    seeds=$here/corpus/${target#fuzz_}
    work=$build/corpus/${target#fuzz_}
    artifacts=$build/artifacts/$target/
    mkdir -p "$work" "$artifacts"
    log=$build/$target.log
    echo "run-fuzz: $target for ${seconds} s"
    # New inputs go to the work corpus; the committed seeds are only read. Standard output
    # is closed: the codec reports every malformed element there.
    if "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$artifacts" \
        "$work" "$seeds" >"$log" 2>&1; then
        runs=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | tail -1 || true)
        echo "run-fuzz: $target passed (${runs:-no run count})"
    else
        echo "run-fuzz: $target FAILED; the report and the input are in $log and $artifacts" >&2
        grep -E 'ERROR|SUMMARY|runtime error|check failed|Test unit written' "$log" >&2 || tail -40 "$log" >&2
        failed=1
    fi
    # Anything the sanitizers said also counts when the process itself still exited 0.
    if grep -qE '^==[0-9]+==ERROR|runtime error:' "$log"; then
        echo "run-fuzz: $target: sanitizer report in $log" >&2
        failed=1
    fi
done
exit $failed
