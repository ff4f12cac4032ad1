#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Instruction counts of one warm dialog opening (construct, show, first paint)
# under valgrind's callgrind, ours against the floor (each dialog's form set up
# by setupUi alone, with the same texts): a regression shows here without the
# noise of timing. Needs valgrind (scripts/install-deps.sh). Only the opening
# runs instrumented. CALLGRIND_KEEP=DIR keeps the profiles, for
# callgrind_annotate.
#   bench/callgrind.sh
set -euo pipefail
cd "$(dirname "$0")/.."
command -v valgrind >/dev/null || { echo "callgrind.sh: valgrind is not installed" >&2; exit 1; }
build=${BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DODU_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target odu-switch-bench >/dev/null
if [ -n "${CALLGRIND_KEEP:-}" ]; then
    out=$CALLGRIND_KEEP
    mkdir -p "$out"
else
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
fi

count() {
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --instr-atstart=no --collect-atstart=no \
        --toggle-collect=benchOpenMeasured \
        --callgrind-out-file="$out/$1.out" "$build/bench/odu-switch-bench" --open-once "$1" \
        >/dev/null 2>"$out/$1.log"
    awk '/^(summary|totals):/ && $2 > n { n = $2 } END { print n + 0 }' "$out/$1.out"
}

printf '| %-30s | %15s | %8s |\n' "opening (warm)" "instructions" "/ floor"
printf '|%s|%s|%s|\n' "--------------------------------" "-----------------" "----------"
qos_floor=$(count qos-floor)
vlan_floor=$(count vlan-floor)
qos_catalogue_floor=$(count qos-catalogue-floor)
vlan_catalogue_floor=$(count vlan-catalogue-floor)
for which in qos qos-catalogue qos-floor qos-catalogue-floor vlan vlan-catalogue vlan-floor vlan-catalogue-floor \
    qos-1k qos-10k vlan-1k vlan-10k; do
    case "$which" in
        qos-floor) n=$qos_floor ;;
        vlan-floor) n=$vlan_floor ;;
        qos-catalogue-floor) n=$qos_catalogue_floor ;;
        vlan-catalogue-floor) n=$vlan_catalogue_floor ;;
        *) n=$(count "$which") ;;
    esac
    # An opening with the full catalogue against the floor with its texts.
    case "$which" in
        qos-catalogue*) floor=$qos_catalogue_floor ;;
        vlan-catalogue*) floor=$vlan_catalogue_floor ;;
        qos*) floor=$qos_floor ;;
        *) floor=$vlan_floor ;;
    esac
    printf '| %-30s | %15s | %7.2fx |\n' "$which" "$n" "$(awk -v n="$n" -v f="$floor" 'BEGIN { print n / f }')"
done
echo "target: at most 1.10x the floor for the openings with and without a catalogue;"
echo "qos-1k ... vlan-10k: every text 1 KB or 10 KB long (cut to 8192 characters), for how the cost follows the texts' length"
