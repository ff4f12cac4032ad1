#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a while from the committed
# seed corpus. Exits non-zero as soon as a target finds a crash or a failed
# check; the input that did it is left in <build>/artifacts/.
#
#   scripts/fuzz-smoke.sh            # 80 s in all, shared by the targets
#   scripts/fuzz-smoke.sh 600        # ten minutes per target
#   scripts/fuzz-smoke.sh 1200 catalogue   # twenty minutes, one target only
#
# FUZZ_BUILD_DIR chooses the build tree (default build-fuzz). New inputs that
# the runs discover go into <build>/corpus/<target>/, never into fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-}
build=${FUZZ_BUILD_DIR:-build-fuzz}
case "$seconds" in
    '') ;;
    *[!0-9]*) echo "usage: $0 [seconds per target] [target...]" >&2; exit 2 ;;
esac
shift $(( $# > 0 ? 1 : 0 ))
targets=(qos_config vlan_config catalogue array_json po_reader xliff_reader)
if [ $# -gt 0 ]; then
    for t in "$@"; do
        case " ${targets[*]} " in
            *" $t "*) ;;
            *) echo "fuzz-smoke: no target $t (choose from ${targets[*]})" >&2; exit 2 ;;
        esac
    done
    targets=("$@")
fi

if ! command -v clang++ >/dev/null; then
    echo "fuzz-smoke: clang++ is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
fi

# The smoke's budget: 80 s in all, however many targets share it.
if [ -z "$seconds" ]; then
    seconds=$(( 80 / ${#targets[@]} ))
    [ "$seconds" -ge 5 ] || seconds=5
fi

echo "== Building the fuzz targets in ${build} =="
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DODU_BUILD_FUZZ=ON \
    -DODU_BUILD_TESTS=OFF -DODU_BUILD_HOST=OFF -DODU_BUILD_BENCH=OFF >/dev/null
if ! cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >"$build/fuzz-build.log" 2>&1; then
    cat "$build/fuzz-build.log" >&2
    echo "fuzz smoke: the fuzz targets did not build" >&2
    exit 1
fi

echo "== Fuzz targets built in ${SECONDS} s =="

mkdir -p "$build/artifacts"
# A small quarantine and no malloc fill keep ASan from spending the run on
# page faults (this machine pays dearly for them); use-after-free within the
# last 16 MB of frees is still caught.
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:quarantine_size_mb=16:max_malloc_fill_size=0:malloc_context_size=8}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

failed=()
for t in "${targets[@]}"; do
    work="$build/corpus/$t"
    mkdir -p "$work"
    case "$t" in
        catalogue) max_len=4096 ;;
        array_json | po_reader | xliff_reader) max_len=16384 ;;
        *) max_len=512 ;;
    esac
    echo "== fuzz_${t}: ${seconds} s =="
    if "$build/fuzz/fuzz_${t}" "$work" "fuzz/corpus/$t" \
        -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/${t}-" -print_final_stats=1 \
        >"$build/fuzz_${t}.log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$build/fuzz_${t}.log" | tail -2 || true
    else
        echo "fuzz_${t} FAILED; log: $build/fuzz_${t}.log" >&2
        grep -E 'ERROR|fuzz check failed|SUMMARY|Test unit written' "$build/fuzz_${t}.log" >&2 || true
        failed+=("$t")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz smoke: ${#failed[@]} of ${#targets[@]} targets failed: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz smoke: all ${#targets[@]} targets ran ${seconds} s each without a finding"
