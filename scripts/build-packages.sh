#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Builds the Debian packages from this tree (debian/): installs the build
# dependencies, builds with dpkg-buildpackage (which runs the core's and the
# tools' tests unless DEB_BUILD_OPTIONS has nocheck), checks the result with
# lintian and builds a second time to check that the packages are
# byte-identical: in a folder whose path has another length, later, in
# another time zone and with another umask, as someone else rebuilding them
# would. The packages end up in build-packages/ (or the folder given as the
# first argument).
#
#   scripts/build-packages.sh [OUTPUT_DIR] [--no-rebuild]
#
# --no-rebuild skips the second build (the reproducibility check), which takes
# as long as the first.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

out=$top/build-packages
rebuild=1
for arg in "$@"; do
    case $arg in
        --no-rebuild) rebuild=0 ;;
        -*) echo "unknown option $arg" >&2; exit 2 ;;
        *) out=$(realpath -m "$arg") ;;
    esac
done

# shellcheck source=scripts/package-common.sh
. scripts/package-common.sh
install_package_build_deps

version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
# The two builds' folders: paths of different lengths, so that nothing that
# records the build path, or only its length, can go unnoticed.
work=$out/work
work_again=$out/work-again-in-a-longer-folder

# A clean copy of the tree as it is now, taken once so that both builds start
# from the same files; each build unpacks it where dpkg-buildpackage puts its
# results beside it.
mkdir -p "$out"
snapshot=$out/source.tar
snapshot_tree "$snapshot"

# build <folder>: unpacks the tree into <folder>/odu-switch-dialogs-<version>
# and builds the packages there (they end up in <folder>).
build() {
    local src=$1/odu-switch-dialogs-$version
    rm -rf "$1"
    mkdir -p "$src"
    tar -C "$src" -xf "$snapshot"
    (cd "$src" && nice dpkg-buildpackage -us -uc -b) 2>&1 | tee "$1.log"
}

# Which files of two packages differ, and for a program or library, which of
# its sections (a differing build ID alone means the debugging information
# differs: the ID is made from the whole unstripped file).
explain_difference() {
    local a b f
    a=$(mktemp -d) b=$(mktemp -d)
    dpkg-deb -R "$1" "$a"
    dpkg-deb -R "$2" "$b"
    (cd "$a" && find . -type f | sort) | while read -r f; do
        if ! cmp -s "$a/$f" "$b/$f"; then
            echo "  ${f#./}"
            if file -b "$a/$f" | grep -q '^ELF'; then
                for sec in $(readelf -S -W "$a/$f" | sed -n 's/^ *\[ *[0-9]*\] \([^ ]*\) .*/\1/p'); do
                    if ! cmp -s <(objdump -s -j "$sec" "$a/$f" 2>/dev/null | tail -n +4) \
                                <(objdump -s -j "$sec" "$b/$f" 2>/dev/null | tail -n +4); then
                        echo "    section $sec differs"
                    fi
                done
            fi
        fi
    done
    rm -rf "$a" "$b"
}

echo "== Building the packages of odu-switch-dialogs $version =="
build "$work"
# The build ran the core's and the tools' tests, unless told not to.
if [[ " ${DEB_BUILD_OPTIONS:-} ${DEB_BUILD_PROFILES:-} " != *" nocheck "* ]]; then
    if ! tested=$(grep -E '^[0-9]+% tests passed, 0 tests failed out of [1-9]' "$work.log"); then
        echo "The package build ran no test (see $work.log)" >&2
        exit 1
    fi
    echo "== Tests in the package build: $tested =="
fi
changes=odu-switch-dialogs_${version}_${arch}.changes
rm -rf "$out/first"
mkdir -p "$out/first"
cp "$work"/*.deb "$work"/*.ddeb "$work/$changes" "$work"/*.buildinfo "$out/first/" 2>/dev/null || true

echo "== lintian =="
# Debian 12's lintian knows the policy up to 4.6.2 and calls a newer
# Standards-Version a warning; debian/control states 4.7.2, which the
# packages were checked against (Debian 13's lintian knows it).
lintian --fail-on error,warning --info --suppress-tags newer-standards-version "$work/$changes"

if [ "$rebuild" -eq 1 ]; then
    echo "== Building again in $work_again to compare =="
    rm -rf "$work"
    (umask 0002 && TZ=Pacific/Kiritimati build "$work_again")
    differ=0 compared=0
    for f in "$out"/first/*.deb "$out"/first/*.ddeb; do
        [ -e "$f" ] || continue
        name=$(basename "$f")
        compared=$((compared + 1))
        if ! cmp -s "$f" "$work_again/$name"; then
            echo "Not reproducible: $name differs between two builds" >&2
            explain_difference "$f" "$work_again/$name" >&2
            differ=1
        fi
    done
    if [ "$differ" -ne 0 ]; then
        rm -rf "$out/second"
        mkdir -p "$out/second"
        cp "$work_again"/*.deb "$work_again"/*.ddeb "$out/second/" 2>/dev/null || true
        echo "Both builds' packages are kept in $out/first and $out/second" \
             "(diffoscope, from Debian, compares them in depth)." >&2
        exit 1
    fi
    echo "Both builds gave byte-identical packages ($compared files, built in folders" \
         "of ${#work} and ${#work_again} characters)."
fi

rm -f "$out"/*.deb "$out"/*.ddeb "$out"/*.changes "$out"/*.buildinfo
mv "$out"/first/* "$out"/
rm -rf "$out/first" "$work" "$work_again" "$work.log" "$work_again.log" "$snapshot"
echo "== Packages in $out =="
ls -1 "$out"
