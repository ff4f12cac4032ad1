#!/usr/bin/env bash
# The test command: installs what is missing, runs the fuzz targets for a
# minute, then builds and runs the whole suite twice, once as a normal build
# and once with AddressSanitizer and UndefinedBehaviorSanitizer (any finding
# stops the run).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

run_suite() {
    local dir=$1
    shift
    echo "== Building ${dir} =="
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    echo "== Testing ${dir} =="
    ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

scripts/fuzz-smoke.sh
run_suite build
run_suite build-sanitize -DODU_SANITIZE=ON
