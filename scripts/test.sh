#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# The test command: installs what is missing, then builds and runs the whole
# suite twice, once as a normal build and once with AddressSanitizer and
# UndefinedBehaviorSanitizer (any finding stops the run), and runs the fuzz
# targets for 80 seconds.
#
# The fuzz smoke (scripts/fuzz-smoke.sh) runs alongside the normal build: a
# fuzz target runs on one core for a fixed time, and the build takes up the
# other core meanwhile. The test suites run on their own, so that nothing else
# competes with the tests that wait for windows and timers.
#
# ODU_SKIP_SANITIZER=1 leaves out the sanitizer build and its tests (the run on
# Debian 13, scripts/test-debian13.sh, does: that build is checked on Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
stages=()

stage_done() {
    stages+=("$(printf '%-24s %4d s' "$1" $((SECONDS - stage_start)))")
    stage_start=$SECONDS
}

build_suite() {
    local dir=$1
    shift
    echo "== Building ${dir} =="
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
}

test_suite() {
    echo "== Testing $1 =="
    ctest --test-dir "$1" --output-on-failure -j"$jobs"
}

# The fuzz smoke in a session of its own, so that it can be stopped with
# everything it started if the build fails first.
fuzz_build=${FUZZ_BUILD_DIR:-build-fuzz}
mkdir -p "$fuzz_build"
fuzz_log=$fuzz_build/smoke.log
setsid scripts/fuzz-smoke.sh >"$fuzz_log" 2>&1 &
fuzz_pid=$!
trap 'kill -- -"$fuzz_pid" 2>/dev/null || true' EXIT

SECONDS=0
stage_start=0
build_suite build
stage_done "normal build"

fuzz_status=0
wait "$fuzz_pid" || fuzz_status=$?
trap - EXIT
cat "$fuzz_log"
stage_done "rest of the fuzz smoke"
if [ "$fuzz_status" -ne 0 ]; then
    exit "$fuzz_status"
fi

test_suite build
stage_done "normal tests"
if [ "${ODU_SKIP_SANITIZER:-0}" = 1 ]; then
    echo "== Sanitizer build skipped (ODU_SKIP_SANITIZER=1) =="
else
    build_suite build-sanitize -DODU_SANITIZE=ON
    stage_done "sanitizer build"
    test_suite build-sanitize
    stage_done "sanitizer tests"
fi

echo "== Stage times =="
printf '%s\n' "${stages[@]}" "$(printf '%-24s %4d s' total "$SECONDS")"
