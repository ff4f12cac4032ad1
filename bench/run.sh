#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Builds the benchmark and the demo host in a release tree and prints the
# benchmark's table: scripts/../bench/run.sh [--runs N]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DODU_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target odu-switch-bench odu-switch-demo odu-switch >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/odu-switch-bench" --host "$build/host/odu-switch-demo" "$@"
