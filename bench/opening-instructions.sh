#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Counts the instructions of one warm opening of each dialog under valgrind's
# callgrind (only the opening is instrumented: construct, show, first paint)
# and compares each with the committed figure: more than 5 % over it fails,
# so a change that slows an opening is seen when it is made. The figures are
# those of a Debug build without sanitizers, the build the tests run in; any
# other build skips (exit 77).
#   opening-instructions.sh BENCH FIGURES BUILD_TYPE SANITIZE
# FIGURES: lines "opening instructions" (odu-switch-bench --open-once names).
set -euo pipefail
bench=$1 figures=$2 build_type=$3 sanitize=$4 qt_version=${5:-}

if [ "$build_type" != Debug ] || [ "$sanitize" = ON ]; then
    kind="${build_type:-no-type} build"
    [ "$sanitize" = ON ] && kind="$kind with sanitizers"
    echo "skipped: the committed figures are a Debug build's without sanitizers; this is a $kind"
    exit 77
fi
# Another Qt spends other instructions on the same forms: the figures hold
# only for the Qt they were counted with.
counted_with=$(awk '$1 == "qt" { print $2 }' "$figures")
if [ -n "$counted_with" ] && [ "$qt_version" != "$counted_with" ]; then
    echo "skipped: the committed figures were counted with Qt $counted_with; this build uses Qt ${qt_version:-unknown}"
    exit 77
fi
if ! command -v valgrind >/dev/null; then
    echo "valgrind is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0
while read -r which committed; do
    case "$which" in '' | \#* | qt) continue ;; esac
    if ! QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --instr-atstart=no --collect-atstart=no \
        --toggle-collect=benchOpenMeasured --callgrind-out-file="$out/$which.out" \
        "$bench" --open-once "$which" >"$out/$which.log" 2>&1; then
        cat "$out/$which.log" >&2
        echo "$which: the benchmark failed under callgrind" >&2
        exit 1
    fi
    n=$(awk '/^(summary|totals):/ && $2 > n { n = $2 } END { print n + 0 }' "$out/$which.out")
    if [ -z "$n" ] || [ "$n" -eq 0 ]; then
        echo "$which: no instructions counted (was the benchmark built without valgrind/callgrind.h?)" >&2
        exit 1
    fi
    limit=$((committed + committed / 20))
    change=$(awk -v n="$n" -v c="$committed" 'BEGIN { printf "%+.1f", (n - c) * 100 / c }')
    if [ "$n" -gt "$limit" ]; then
        echo "$which: $n instructions, $change % against the committed $committed: more than 5 % over; find what made the opening slower (bench/callgrind.sh, callgrind_annotate)"
        failed=1
    else
        echo "$which: $n instructions, $change % against the committed $committed"
        if [ "$n" -lt $((committed - committed / 20)) ]; then
            echo "$which: more than 5 % under the figure: commit the new figure in $(basename "$figures")"
        fi
    fi
done <"$figures"
exit "$failed"
